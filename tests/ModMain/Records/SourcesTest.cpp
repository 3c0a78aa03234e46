// What holds for every row of the source table.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ModMain/Records/Sources.h"
#include "reference/LiteralSteps.h"
#include "reference/RecordPieces.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

TEST(Sources, EveryRewriteEqualsItsLiteralFormOnRandomTexts) {
  for (const SourceSystem& source : Sources()) {
    SCOPED_TRACE(std::string(source.name));
    const std::vector<Text> focus = reference::StepPieces(source.steps);
    std::mt19937 random(static_cast<unsigned>(source.id) + 7);
    for (int i = 0; i < 4000; ++i) {
      const Text s = reference::RandomRecordText(random, 60, focus);
      ASSERT_TEXT_EQ(RunRewrite(s, source.steps), reference::RunStepsLiterally(s, source.steps))
          << test::Readable(s);
    }
  }
}

// The MARC formats take the traced rebuild's record: it must be the record
// the source's own rebuild writes.
TEST(Sources, EveryTracedRebuildWritesItsRebuildsRecordOnRandomTexts) {
  for (const SourceSystem& source : Sources()) {
    const std::vector<Text> focus = reference::StepPieces(source.steps);
    std::mt19937 random(static_cast<unsigned>(source.id) + 11);
    for (int i = 0; i < 500; ++i) {
      const Text working = WorkingText(source, reference::RandomRecordText(random, 60, focus));
      ASSERT_TEXT_EQ(source.rebuild.traced(working).record, source.rebuild.build(working))
          << source.name << ": " << test::Readable(working);
    }
  }
}

TEST(Sources, TheEmptyTextGivesTheEmptyRecord) {
  for (const SourceSystem& source : Sources()) {
    EXPECT_TEXT_EQ(ConvertRecord(source, u""), u"") << source.name;
  }
}

TEST(Sources, NamesAreFoundAndUnknownNamesAreNot) {
  for (const SourceSystem& source : Sources()) {
    EXPECT_EQ(FindSource(source.name), &source);
  }
  EXPECT_EQ(FindSource("LIBOL"), nullptr);
  EXPECT_EQ(FindSource(""), nullptr);
}

}  // namespace
}  // namespace velmora::records
