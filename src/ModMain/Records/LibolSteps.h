// The Libol rewrite: one field per line, «245    10$aTitle $bSub».
// «245    10$aTitle $bSub» becomes «245=10$aTitle$bSub».
#pragma once

#include "ModMain/Records/Rewrite.h"

namespace velmora::records {

inline constexpr RewriteStep kLibolSteps[] = {
    // «ZZZZ␍␊» in front: the first line's tag, like every other, after a line break
    RewriteStep::Prepend(text::kStartMarker),
    // «␍␊245    10» -> «␍␊245=    10»
    /*  1 */ RewriteStep::Tags(text::kCrlf, u"", text::kCrlf, u"="),
    /*  2 */ RewriteStep::Substitute(u"    ", u""),  // four spaces
    /*  3 */ RewriteStep::Substitute(u"=$", u"$"),
    /*  4 */ RewriteStep::Substitute(u" $", u"$"),
    /*  5 */ RewriteStep::Substitute(text::kStartMarker, u""),
    /*  6 */ RewriteStep::Substitute(u"  $", u"##$"),  // two spaces
    /*  7 */ RewriteStep::Substitute(u"# $", u"##$"),
    /*  8 */ RewriteStep::Substitute(u" #$", u"##$"),
    /*  9 */ RewriteStep::Substitute(u"==", u"="),
    /* 10 */ RewriteStep::Substitute(text::kCrlf, u"%"),
};

}  // namespace velmora::records
