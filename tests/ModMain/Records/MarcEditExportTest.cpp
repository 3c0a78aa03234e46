#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ModMain/Records/MarcEditExport.h"
#include "ModMain/Records/MarcEditSteps.h"
#include "reference/LiteralSteps.h"
#include "reference/RecordPieces.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

TEST(MarcEditExport, EachFieldBecomesALine) {
  const struct {
    TextView record, lines;
  } cases[] = {
      {u"245=00$aTitle%020=##$a123", u"=245  00$aTitle\r\n=020  ##$a123"},
      {u"245=00$aT%", u"=245  00$aT\r\n"},    // a final "%" gives a final line break
      {u"%100=##$aA", u"\r\n=100  ##$aA"},    // as the rebuild writes it without a title
      {u"500=##$aA%B", u"=500  ##$aA\r\nB"},  // a "%" in a value breaks the line too
      {u"000=x%000=y", u"000=x\r\n000=y"},    // "000" is never a tag
      {u"%%245=%1234=%24=%2450=", u"\r\n\r\n=245  \r\n1234=\r\n24=\r\n2450="},
      {u"", u""},
      // Only the tag of a field moves: three digits before "=" inside a
      // value are data.
      {u"100=1#$aA 1999=B", u"=100  1#$aA 1999=B"},
      {u"500=##$a245=X%245=Y", u"=500  ##$a245=X\r\n=245  Y"},
      {u"456123=", u"456123="},
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(ExportMarcEdit(c.record), c.lines) << test::Readable(c.record);
  }
}

TEST(MarcEditExport, OnePassEqualsTheLiteralExportOnRandomTexts) {
  const std::vector<Text> focus = reference::StepPieces(kMarcEditSteps);
  std::mt19937 random(17);
  for (int i = 0; i < 5000; ++i) {
    const Text s = reference::RandomRecordText(random, 40, focus);
    const Text exported = ExportMarcEdit(s);
    ASSERT_TEXT_EQ(exported, reference::RunStepsLiterally(s, kMarcEditSteps)) << test::Readable(s);
    // Text already exported comes back unchanged.
    ASSERT_TEXT_EQ(ExportMarcEdit(exported), exported) << test::Readable(s);
  }
}

}  // namespace
}  // namespace velmora::records
