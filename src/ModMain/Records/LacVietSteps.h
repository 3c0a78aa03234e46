// The rewrite of LacViet and Emiclib (both systems copy the same layout): one
// field per line, the tag, a tab, the indicators with "_" for a blank one,
// subfields introduced by "|". «245⇥10|aTitle|bSub␍␊100⇥1_|aAuthor» becomes
// «245=10$aTitle$bSub%100=1#$aAuthor».
#pragma once

#include "ModMain/Records/Rewrite.h"

namespace velmora::records {

inline constexpr RewriteStep kLacVietSteps[] = {
    // «ZZZZ␍␊» in front: the first line's tag, like every other, after a line break
    RewriteStep::Prepend(text::kStartMarker),
    /*  1 */ RewriteStep::Substitute(u"\t", u""),  // «245⇥10|aT» -> «24510|aT»
    /*  2 */ RewriteStep::Substitute(u"|", u"$"),
    /*  3 */ RewriteStep::Substitute(u"=$", u"$"),  // only "=" that stood in the copy
                                                    // «␍␊24510$aT» -> «␍␊245=10$aT»
    /*  4 */ RewriteStep::Tags(text::kCrlf, u"", text::kCrlf, u"="),
    /*  5 */ RewriteStep::Substitute(u" $", u"$"),
    /*  6 */ RewriteStep::Substitute(text::kStartMarker, u""),
    /*  7 */ RewriteStep::Substitute(u"_", u"#"),  // «1_» -> «1#»: a blank indicator
    /*  8 */ RewriteStep::Substitute(u"  ", u""),  // two spaces
    /*  9 */ RewriteStep::Substitute(text::kCrlf, u"%"),
    /* 10 */ RewriteStep::Substitute(u"==#", u"=#"),
};

}  // namespace velmora::records
