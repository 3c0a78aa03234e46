#include "ModMain/Records/Rewrite.h"
#include "ModMain/Records/SourceRewrites.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

constexpr Step kHueRewrite[] = {
    // «␍␊24510  aTitle» -> «%245=10  aTitle»: the line break before a tag
    // becomes the field separator.
    /* 1 */ Step::Tags(text::kCrlf, u"", u"%", u"="),
    // Two spaces are the subfield delimiter, pairs counted left to right:
    // «1001   aAuthor» (three spaces) -> «1001$ aAuthor».
    /* 2 */ Step::Substitute(u"  ", u"$"),
    /* 3 */ Step::Substitute(text::kStartMarkerField, u""),
    /* 4 */ Step::Substitute(text::kStartMarkerWord, u""),
    /* 5 */ Step::Substitute(text::kCrlf, u""),  // a continuation line joins its field
};

}  // namespace

Text HueRewrite(Text s) {
  return RunRewrite(std::move(s), kHueRewrite);
}

}  // namespace velmora::records
