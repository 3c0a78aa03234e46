#include "ModMain/Records/Rewrite.h"
#include "ModMain/Records/SourceRewrites.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

// Every tab becomes a bar, and the bars then say what each column was.
constexpr TextView kColumnBar = u"|";

// The subfield codes that iLib writes in a column of their own, lower case
// only, in the order of the rewrite's steps 3 to 16.
constexpr TextView kIlibSubfieldCodes = u"abcdnpehzvxy23";

constexpr Step kIlibRewrite[] = {
    /*  1 */ Step::Substitute(u"\t", kColumnBar),
    // «␍␊245|10» -> «␍␊%245=10»: the line break stays until step 20.
    /*  2 */ Step::Tags(text::kCrlf, kColumnBar, u"\r\n%", u"="),
    // «10|a|Title|b|Sub» -> «10|$aTitle|$bSub»: a code column stands between
    // two bars. A value that ends in a code letter («Title|») keeps it, and
    // a one-letter value is no code («|b|a|a|x» -> «|$ba|$ax»).
    /* 3-16 */ Step::SubfieldCodes(kColumnBar, kIlibSubfieldCodes, u"$"),
    /* 17 */ Step::Substitute(kColumnBar, u""),
    /* 18 */ Step::Substitute(u"  ", u""),  // two spaces: two blank indicators go
    /* 19 */ Step::Substitute(u"==", u"="),
    /* 20 */ Step::Substitute(text::kCrlf, u""),  // a continuation line joins its field
    /* 21 */ Step::Substitute(text::kStartMarkerField, u""),
    /* 22 */ Step::Substitute(text::kStartMarkerWord, u""),
};

}  // namespace

Text IlibRewrite(Text s) {
  return RunRewrite(std::move(s), kIlibRewrite);
}

}  // namespace velmora::records
