// The rewrite steps: what each kind of step does, run by the one-pass engine
// and by the literal form (reference/LiteralSteps.h) alike; every step of
// the product's lists, alone, in the engine as in the literal form; and each
// step written into the text's own buffer as a second buffer would hold it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ModMain/Records/MarcEditSteps.h"
#include "ModMain/Records/Rewrite.h"
#include "ModMain/Records/Sources.h"
#include "reference/LiteralSteps.h"
#include "reference/RecordPieces.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

struct KindCase {
  Step step;
  TextView s, expected;
};

// Small cases that pin down what each kind means, so that neither form can
// agree with the other on something else.
constexpr KindCase kKindCases[] = {
    // Replace: left to right, without overlap, inserted text not scanned again.
    {Step::Substitute(u"==", u"="), u"===", u"=="},
    {Step::Substitute(u" ", u"  "), u"a b", u"a  b"},
    {Step::Substitute(u"", u"x"), u"ab", u"ab"},  // an empty find matches nothing
    // TagRule: every tag from 001 to 999 between `before` and `after`, never "000".
    {Step::Tags(u"\r\n", u"", u"\r\n", u"="), u"\r\n000\r\n001\r\n999\r\n12",
     u"\r\n000\r\n001=\r\n999=\r\n12"},
    {Step::Tags(u"", u"\t", u"", u"="), u"1234\t000\tx99\t", u"1234=000\tx99\t"},
    {Step::Tags(u"\r\n", u"|", u"\r\n%", u"="), u"Z\r\n245|10|a\r\n100|1\r\n65|x",
     u"Z\r\n%245=10|a\r\n%100=1\r\n65|x"},
    {Step::Tags(u"\r\n", u"", u"%", u"="), u"\r\n245\r\n100x", u"%245=%100=x"},
    // FieldStartTagRule: only a tag that starts the text or follows `before`.
    {Step::FieldStartTags(u"%", u"=", u"=", u"  "), u"245=00$aA 1999=B%650=x%000=y",
     u"=245  00$aA 1999=B%=650  x%000=y"},
    {Step::FieldStartTags(u"%", u"=", u"=", u"  "), u"%%245=%1234=%24=", u"%%=245  %1234=%24="},
    {Step::FieldStartTags(u"\r\n", u"\t", u"", u"="), u"245\t10\t|aPrinted 1998\t|5x\r\n650\t#7",
     u"245=10\t|aPrinted 1998\t|5x\r\n650=#7"},
    {Step::FieldStartTags(u"", u"=", u"<", u">"), u"245=245=", u"<245>245="},  // the start only
    // SubfieldCodeRule: bar, code, bar; the second bar is taken and opens no match.
    {Step::SubfieldCodes(u"|", u"ab", u"$"), u"|b|a|a|x", u"|$ba|$ax"},
    {Step::SubfieldCodes(u"|", u"ab", u"$"), u"|q|T|A|T|a", u"|q|T|A|T|a"},
    {Step::SubfieldCodes(u"::", u"a", u"$"), u"::a::T:::a::", u"::$aT:::$a"},
    {Step::SubfieldCodes(u"", u"a", u"$"), u"aaa", u"aaa"},  // an empty bar matches nothing
    // LineReplace: on the lines (each with its CRLF) that start with one of the codes.
    {Step::InLinesStartingWith(u"6", u"$x", u"%650=##$a"), u"650=#7$aA$xB\r\n490=0#$aS$x1\r\n600$x",
     u"650=#7$aA%650=##$aB\r\n490=0#$aS$x1\r\n600%650=##$a"},
    {Step::InLinesStartingWith(u"6", u"a\r\n", u"X"), u"6a\r\n7a\r\n", u"6X7a\r\n"},
    {Step::InLinesStartingWith(u"6", u"$x", u"!"), u"6a\r\n5$x\r\n6$x", u"6a\r\n5$x\r\n6!"},
    {Step::InLinesStartingWith(u"6", u"\r\n6", u"X"), u"6a\r\n6b", u"6a\r\n6b"},  // no match
    {Step::InLinesStartingWith(u"67", u"$x", u"!"), u"500$x\n6$x\r\n7$x", u"500$x\n6$x\r\n7!"},
    // Prepend
    {Step::Prepend(u"ZZZZ\r\n"), u"245", u"ZZZZ\r\n245"},
    {Step::Prepend(u"ZZZZ\r\n"), u"", u"ZZZZ\r\n"},
    {Step::Prepend(u""), u"a", u"a"},
};

TEST(RewriteStep, EachKindRewritesAsDescribedInBothForms) {
  for (const KindCase& c : kKindCases) {
    EXPECT_TEXT_EQ(reference::RunStepLiterally(Text(c.s), c.step), c.expected)
        << "literal, " << test::Readable(c.s);
    EXPECT_TEXT_EQ(RunRewrite(Text(c.s), {&c.step, 1}), c.expected)
        << "one pass, " << test::Readable(c.s);
  }
}

// The step lists the product runs: each source's and the MarcEdit export's.
std::vector<std::span<const Step>> ProductStepLists() {
  std::vector<std::span<const Step>> lists{kMarcEditSteps};
  for (const SourceSystem& source : Sources()) lists.push_back(source.steps);
  return lists;
}

TEST(RewriteStep, EveryProductStepAloneEqualsItsLiteralFormOnRandomTexts) {
  std::mt19937 random(2019);
  for (const std::span<const Step> steps : ProductStepLists()) {
    for (const Step& step : steps) {
      const std::vector<Text> focus = reference::StepPieces({&step, 1});
      for (int i = 0; i < 1500; ++i) {
        const Text s = reference::RandomRecordText(random, 40, focus);
        ASSERT_TEXT_EQ(RunRewrite(s, {&step, 1}), reference::RunStepLiterally(s, step))
            << "input " << test::Readable(s);
      }
    }
  }
}

// Steps that shorten, keep and lengthen what they match, patterns that
// overlap themselves, replacements that quote the text (a tag's digits)
// longer than what they replace, and field start rules whose separator can
// begin inside a match (those run in a second buffer).
struct BufferCase {
  Step step;
  bool inPlace = true;
};

constexpr BufferCase kBufferCases[] = {
    {Step::Substitute(u"    ", u"")},
    {Step::Substitute(u"  $", u"##$")},
    {Step::Substitute(u"\r\n", u"%")},
    {Step::Substitute(u"%", u"\r\n")},
    {Step::Substitute(u"==", u"===")},
    {Step::Substitute(u"  ", u"   ")},
    {Step::Tags(u"\r\n", u"", u"\r\n", u"=")},
    {Step::Tags(u"\r\n", u"|", u"\r\n%", u"=")},
    {Step::Tags(u"", u"\t", u"<<<<", u"")},
    {Step::Tags(u"\r\n", u"", u"%", u"=")},
    {Step::FieldStartTags(u"%", u"=", u"=", u"  ")},
    {Step::FieldStartTags(u"\r\n", u"\t", u"", u"=")},
    {Step::FieldStartTags(u"=", u"=", u"", u""), false},
    {Step::FieldStartTags(u"9", u"", u"##", u""), false},
    {Step::SubfieldCodes(u"|", u"ab2", u"$")},
    {Step::SubfieldCodes(u"|", u"ab2", u"$$$")},
    {Step::InLinesStartingWith(u"6", u"$a", u"%650=##$a")},
    {Step::InLinesStartingWith(u"#2", u"  ", u"")},
    {Step::Prepend(u"ZZZZ\r\n")},
};

TEST(RunRewrite, EachStepInPlaceEqualsItsSecondBufferFormOnRandomTexts) {
  std::mt19937 random(1303);
  for (const auto& [step, inPlace] : kBufferCases) {
    const std::vector<Text> focus = reference::StepPieces({&step, 1});
    for (int i = 0; i < 3000; ++i) {
      const Text s = reference::RandomRecordText(random, 40, focus);
      Text expected;
      if (!AppendStepResult(s, step, expected)) expected = s;
      // (A tag rule gives its 999 passes only where no replacement makes or
      // breaks another match, as in the product's lists; these need not.)
      if (step.kind != Step::Kind::TagRule && step.kind != Step::Kind::FieldStartTagRule) {
        ASSERT_TEXT_EQ(expected, reference::RunStepLiterally(s, step)) << test::Readable(s);
      }
      // Exactly as long as it is (a lengthening step must move to a larger
      // buffer), and with room to spare (it must not): none of these steps
      // makes a text five times longer.
      Text roomy = s;
      roomy.reserve(5 * s.size() + 16);
      const char16_t* buffer = roomy.data();
      ASSERT_TEXT_EQ(RunRewrite(s, {&step, 1}), expected) << test::Readable(s);
      const Text result = RunRewrite(std::move(roomy), {&step, 1});
      ASSERT_TEXT_EQ(result, expected) << test::Readable(s);
      if (inPlace) {
        ASSERT_EQ(result.data(), buffer) << test::Readable(s);
      }
    }
  }
}

TEST(RunRewrite, RoomForWhatTheStepsPrependKeepsTheBuffer) {
  const Step steps[] = {Step::Prepend(u"ZZ"), Step::Substitute(u"a", u"b"), Step::Prepend(u"Y")};
  EXPECT_EQ(PrependedLength(steps), 3u);
  Text s(40, u'a');  // longer than a string holds without a buffer of its own
  s.reserve(s.size() + PrependedLength(steps));
  const char16_t* buffer = s.data();
  const Text result = RunRewrite(std::move(s), steps);
  EXPECT_TEXT_EQ(result, u"YZZ" + Text(40, u'b'));
  EXPECT_EQ(result.data(), buffer);
}

}  // namespace
}  // namespace velmora::records
