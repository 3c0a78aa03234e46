#include "ModMain/Records/Rewrite.h"
#include "ModMain/Records/SourceRewrites.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

constexpr Step kLacVietRewrite[] = {
    /*  1 */ Step::Substitute(u"\t", u""),  // «245⇥10|aT» -> «24510|aT»
    /*  2 */ Step::Substitute(u"|", u"$"),
    /*  3 */ Step::Substitute(u"=$", u"$"),                    // only "=" that stood in the copy
    /*  4 */ Step::Tags(text::kCrlf, u"", text::kCrlf, u"="),  // «␍␊24510$aT» -> «␍␊245=10$aT»
    /*  5 */ Step::Substitute(u" $", u"$"),
    /*  6 */ Step::Substitute(text::kStartMarker, u""),
    /*  7 */ Step::Substitute(u"_", u"#"),  // «1_» -> «1#»: a blank indicator
    /*  8 */ Step::Substitute(u"  ", u""),  // two spaces
    /*  9 */ Step::Substitute(text::kCrlf, u"%"),
    /* 10 */ Step::Substitute(u"==#", u"=#"),
};

}  // namespace

Text LacVietRewrite(Text s) {
  return RunRewrite(std::move(s), kLacVietRewrite);
}

}  // namespace velmora::records
