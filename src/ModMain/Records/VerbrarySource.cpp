#include "ModMain/Records/Rewrite.h"
#include "ModMain/Records/SourceRewrites.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

constexpr Step kVerbraryRewrite[] = {
    // «245⇥10⇥|aTitle» -> «245=10⇥|aTitle»: the tab after the tag of a line
    // (at the start of the text or after a CRLF) becomes "=". Only there: a
    // tab after a value that ends in three digits («|aPrinted 1998⇥|5x», an
    // ISBN before «|c») stays a tab and ends the value as any other does.
    /*  1 */ Step::FieldStartTags(text::kCrlf, u"\t", u"", u"="),
    /*  2 */ Step::Substitute(u"\t|", u"$"),  // «10⇥|aTitle» -> «10$aTitle»
    /*  3 */ Step::Substitute(u" |", u"$"),
    /*  4 */ Step::Substitute(u" :", u""),  // «Title :$bsub» -> «Title$bsub»
    /*  5 */ Step::Substitute(u" ;", u""),
    /*  6 */ Step::Substitute(u" ,", u""),
    /*  7 */ Step::Substitute(u" /", u""),
    /*  8 */ Step::Substitute(u"|", u"$"),
    // «650=#7$aX$xY» -> «650=#7$aX%650=##$aY»: on a subject line (its first
    // character is "6") every general subdivision starts a new topical
    // heading 650. On other lines "$x" is a subfield of its own field (a
    // series ISSN in 490) and stays.
    /*  9 */ Step::InLinesStartingWith(u"6", u"$x", u"%650=##$a"),
    // The punctuation that ends a subfield or a field.
    /* 10 */ Step::Substitute(u".$", u"$"),
    /* 11 */ Step::Substitute(u",$", u"$"),
    /* 12 */ Step::Substitute(text::kCrlf, u"%"),
    /* 13 */ Step::Substitute(u".%", u"%"),  // «Author.%» -> «Author%»
};

}  // namespace

Text VerbraryRewrite(Text s) {
  return RunRewrite(std::move(s), kVerbraryRewrite);
}

}  // namespace velmora::records
