#include "ModMain/Records/Rewrite.h"
#include "ModMain/Records/SourceRewrites.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

constexpr Step kLibolRewrite[] = {
    /*  1 */ Step::Tags(text::kCrlf, u"", text::kCrlf, u"="),  // «␍␊245    10» -> «␍␊245=    10»
    /*  2 */ Step::Substitute(u"    ", u""),                   // four spaces
    /*  3 */ Step::Substitute(u"=$", u"$"),
    /*  4 */ Step::Substitute(u" $", u"$"),
    /*  5 */ Step::Substitute(text::kStartMarker, u""),
    /*  6 */ Step::Substitute(u"  $", u"##$"),  // two spaces
    /*  7 */ Step::Substitute(u"# $", u"##$"),
    /*  8 */ Step::Substitute(u" #$", u"##$"),
    /*  9 */ Step::Substitute(u"==", u"="),
    /* 10 */ Step::Substitute(text::kCrlf, u"%"),
};

}  // namespace

Text LibolRewrite(Text s) {
  return RunRewrite(std::move(s), kLibolRewrite);
}

}  // namespace velmora::records
