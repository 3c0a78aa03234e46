#include "ModMain/SourceRewrites.h"

#include "ModMain/Rewrite.h"

namespace velmora {
namespace {

using Step = RewriteStep;

// Steps 1 to 8: the tags, the delimiters, and the punctuation before the
// next subfield.
constexpr Step kTagAndSubfieldSteps[] = {
    // «245⇥10⇥|aTitle» -> «245=10⇥|aTitle»: the tab after the tag of a line
    // (at the start of the text or after a CRLF) becomes "=". Only there: a
    // tab after a value that ends in three digits («|aPrinted 1998⇥|5x», an
    // ISBN before «|c») stays a tab and ends the value as any other does.
    /*  1 */ Step::FieldStartTags(kCrlf, u"\t", u"", u"="),
    /*  2 */ Step::Substitute(u"\t|", u"$"),  // «10⇥|aTitle» -> «10$aTitle»
    /*  3 */ Step::Substitute(u" |", u"$"),
    /*  4 */ Step::Substitute(u" :", u""),  // «Title :$bsub» -> «Title$bsub»
    /*  5 */ Step::Substitute(u" ;", u""),
    /*  6 */ Step::Substitute(u" ,", u""),
    /*  7 */ Step::Substitute(u" /", u""),
    /*  8 */ Step::Substitute(u"|", u"$"),
};

// The subject fields: their first character is "6".
constexpr char16_t kSubjectFieldDigit = u'6';
constexpr TextView kGeneralSubdivision = u"$x";
constexpr TextView kNewSubjectField = u"%650=##$a";

// Step 9: «650=#7$aX$xY» -> «650=#7$aX%650=##$aY»: on a subject line every
// general subdivision starts a new topical heading 650. On other lines "$x"
// is a subfield of its own field (a series ISSN in 490) and stays.
Text SplitSubjectSubdivisions(TextView s) {
  Text out;
  out.reserve(s.size() + s.size() / 8);
  std::size_t lineStart = 0;
  while (true) {
    const std::size_t lineBreak = s.find(kCrlf, lineStart);
    const std::size_t lineEnd = lineBreak == TextView::npos ? s.size() : lineBreak + kCrlf.size();
    const TextView line = s.substr(lineStart, lineEnd - lineStart);
    const bool split = !line.empty() && line.front() == kSubjectFieldDigit &&
                       AppendReplaced(line, kGeneralSubdivision, kNewSubjectField, out);
    if (!split) out.append(line);
    if (lineBreak == TextView::npos) return out;
    lineStart = lineEnd;
  }
}

// Steps 10 to 13: the punctuation that ends a subfield or a field.
constexpr Step kFieldEndSteps[] = {
    /* 10 */ Step::Substitute(u".$", u"$"),
    /* 11 */ Step::Substitute(u",$", u"$"),
    /* 12 */ Step::Substitute(kCrlf, u"%"),
    /* 13 */ Step::Substitute(u".%", u"%"),  // «Author.%» -> «Author%»
};

}  // namespace

Text VerbraryRewrite(Text s) {
  s = RunRewrite(std::move(s), kTagAndSubfieldSteps);  //  1 to 8
  s = SplitSubjectSubdivisions(s);                     //  9
  return RunRewrite(std::move(s), kFieldEndSteps);     // 10 to 13
}

}  // namespace velmora
