// The rewrite of the Hue and Hai Phong libraries' form: one field per line,
// the tag and indicators run together and two spaces before each subfield
// code. «24510  aTitle» becomes «245=10$aTitle».
#pragma once

#include "ModMain/Records/Rewrite.h"

namespace velmora::records {

inline constexpr RewriteStep kHueSteps[] = {
    // «ZZZZ␍␊» in front: the first line's tag, like every other, after a line break
    RewriteStep::Prepend(text::kStartMarker),
    // «␍␊24510  aTitle» -> «%245=10  aTitle»: the line break before a tag
    // becomes the field separator.
    /* 1 */ RewriteStep::Tags(text::kCrlf, u"", u"%", u"="),
    // Two spaces are the subfield delimiter, pairs counted left to right:
    // «1001   aAuthor» (three spaces) -> «1001$ aAuthor».
    /* 2 */ RewriteStep::Substitute(u"  ", u"$"),
    /* 3 */ RewriteStep::Substitute(text::kStartMarkerField, u""),
    /* 4 */ RewriteStep::Substitute(text::kStartMarkerWord, u""),
    /* 5 */ RewriteStep::Substitute(text::kCrlf, u""),  // a continuation line joins its field
};

}  // namespace velmora::records
