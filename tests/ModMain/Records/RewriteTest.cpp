// The rewrite engine writes each step into the text's own buffer; the result
// must be what the step gives built left to right in a second buffer.
#include <gtest/gtest.h>

#include <random>

#include "ModMain/Records/Rewrite.h"
#include "reference/LiteralRewrites.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

// Steps that shorten, keep and lengthen what they match, patterns that
// overlap themselves, replacements that quote the text (a tag's digits)
// longer than what they replace, and field start rules whose separator can
// begin inside a match (those run in a second buffer).
struct StepCase {
  Step step;
  bool inPlace = true;
};

constexpr StepCase kSteps[] = {
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
};

TEST(RunRewrite, EachStepInPlaceEqualsItsSecondBufferFormOnRandomTexts) {
  std::mt19937 random(1303);
  for (const auto& [step, inPlace] : kSteps) {
    for (int i = 0; i < 3000; ++i) {
      const Text s = reference::RandomText(random, reference::RecordPieces(), 40);
      Text expected;
      if (!AppendStepResult(s, step, expected)) expected = s;
      if (step.kind == Step::Kind::Replace) {
        ASSERT_TEXT_EQ(expected, text::Replace(s, step.find, step.replacement));
      }
      // Exactly as long as it is (a lengthening step must move to a larger
      // buffer), and with room to spare (it must not).
      Text roomy = s;
      roomy.reserve(2 * s.size() + 16);
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

}  // namespace
}  // namespace velmora::records
