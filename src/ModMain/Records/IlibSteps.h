// The iLib rewrite: one field per line, its columns separated by tabs.
// «245⇥10⇥a⇥Title⇥b⇥Sub» becomes «245=10$aTitle$bSub».
#pragma once

#include "ModMain/Records/Rewrite.h"

namespace velmora::records {

// Every tab becomes a bar, and the bars then say what each column was.
inline constexpr TextView kIlibColumnBar = u"|";

// The subfield codes that iLib writes in a column of their own, lower case
// only, in the order of the rewrite's steps 3 to 16.
inline constexpr TextView kIlibSubfieldCodes = u"abcdnpehzvxy23";

inline constexpr RewriteStep kIlibSteps[] = {
    // «ZZZZ␍␊» in front: the first line's tag, like every other, after a line break
    RewriteStep::Prepend(text::kStartMarker),
    /*  1 */ RewriteStep::Substitute(u"\t", kIlibColumnBar),
    // «␍␊245|10» -> «␍␊%245=10»: the line break stays until step 20.
    /*  2 */ RewriteStep::Tags(text::kCrlf, kIlibColumnBar, u"\r\n%", u"="),
    // «10|a|Title|b|Sub» -> «10|$aTitle|$bSub»: a code column stands between
    // two bars. A value that ends in a code letter («Title|») keeps it, and
    // a one-letter value is no code («|b|a|a|x» -> «|$ba|$ax»).
    /* 3-16 */ RewriteStep::SubfieldCodes(kIlibColumnBar, kIlibSubfieldCodes, u"$"),
    /* 17 */ RewriteStep::Substitute(kIlibColumnBar, u""),
    /* 18 */ RewriteStep::Substitute(u"  ", u""),  // two spaces: two blank indicators go
    /* 19 */ RewriteStep::Substitute(u"==", u"="),
    /* 20 */ RewriteStep::Substitute(text::kCrlf, u""),  // a continuation line joins its field
    /* 21 */ RewriteStep::Substitute(text::kStartMarkerField, u""),
    /* 22 */ RewriteStep::Substitute(text::kStartMarkerWord, u""),
};

}  // namespace velmora::records
