#include <gtest/gtest.h>

#include "ModMain/Records/Sources.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

struct Case {
  TextView copied, working;
};

// Texts without Vietnamese letters: LacViet and Emiclib give the same working text.
constexpr Case kLayoutCases[] = {
    {u"245\t10|aTitle|bSub\r\n100\t1_|aAuthor", u"245=10$aTitle$bSub%100=1#$aAuthor"},
    {u"082\t__|a895.9", u"082=##$a895.9"},                // "_" is a blank indicator
    {u"500 |aNote", u"500=$aNote"},                       // the space before "|" goes
    {u"500|aNote", u"500=$aNote"},                        // the inserted "=" stays before "$"
    {u"245\t=10|aT", u"245==10$aT"},                      // "==" goes only before "#"
    {u"245\t=|aT", u"245=$aT"},                           // a copied "=" before "|" goes
    {u"245=_0|aT", u"245=#0$aT"},                         // «245==#0» loses its doubled "="
    {u"100\t1_|aNguyen_Van", u"100=1#$aNguyen#Van"},      // "_" in a value too
    {u"245\t10|aTitle  of", u"245=10$aTitleof"},          // two spaces vanish
    {u"245\t10|aTitle   of", u"245=10$aTitle of"},        // three leave one
    {u"245\t10|aA\tB", u"245=10$aAB"},                    // every tab goes
    {u"245\t10|aA|B", u"245=10$aA$B"},                    // a bar in a value too
    {u"000\t_____nam", u"000#####nam"},                   // "000" is never a tag
    {u"1998 in print", u"199=8 in print"},                // any three digits are marked
    {u"245\t10|aT\r\n", u"245=10$aT%"},                   // a final break leaves "%"
    {u"245\t10|aT\n100\t1_|aA", u"245=10$aT\n1001#$aA"},  // LF alone is no break
    {u"245\t10|aT ZZZZ\r\n100\t1_|aA", u"245=10$aT 100=1#$aA"},  // any start marker goes
    {u"", u""},
};

TEST(LacVietRewrite, CopiedLinesBecomeTheWorkingText) {
  for (const Case& c : kLayoutCases) {
    EXPECT_TEXT_EQ(WorkingText(SourceOf(SourceId::LacViet), c.copied), c.working)
        << test::Readable(c.copied);
    EXPECT_TEXT_EQ(WorkingText(SourceOf(SourceId::Emiclib), c.copied), c.working)
        << test::Readable(c.copied);
  }
}

// ệ written as ê (U+00EA) + combining dot below (U+0323), and precomposed (U+1EC7).
constexpr TextView kDecomposedTitle = u"245\t10|aTi\u00EA\u0301ng Vi\u00EA\u0323t";
constexpr TextView kDecomposedWorking = u"245=10$aTi\u00EA\u0301ng Vi\u00EA\u0323t";
constexpr TextView kPrecomposedWorking = u"245=10$aTi\u1EBFng Vi\u1EC7t";  // Tiếng Việt

TEST(LacVietRewrite, LacVietJoinsCombiningToneMarksAndEmiclibKeepsThem) {
  EXPECT_TEXT_EQ(WorkingText(SourceOf(SourceId::LacViet), kDecomposedTitle), kPrecomposedWorking);
  EXPECT_TEXT_EQ(WorkingText(SourceOf(SourceId::Emiclib), kDecomposedTitle), kDecomposedWorking);
  // Precomposed letters come through both unchanged.
  const Text precomposed = u"245\t10|aTi\u1EBFng Vi\u1EC7t";
  EXPECT_TEXT_EQ(WorkingText(SourceOf(SourceId::LacViet), precomposed), kPrecomposedWorking);
  EXPECT_TEXT_EQ(WorkingText(SourceOf(SourceId::Emiclib), precomposed), kPrecomposedWorking);
}

TEST(LacVietConversion, CopiedRecordToOutputRecord) {
  const TextView copied =
      u"245\t10|aTi\u00EA\u0301ng Vi\u00EA\u0323t :|bng\u1EEF ph\u00E1p /|cL\u00EA A\r\n"
      u"260\t__|aH\u00E0 N\u1ED9i :|bGi\u00E1o d\u1EE5c,|c2018\r\n"
      u"650\t_7|aNg\u00F4n ng\u1EEF|xNg\u1EEF ph\u00E1p\r\n";
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::LacViet), copied),
                 u"245=00$aTi\u1EBFng Vi\u1EC7t :$bng\u1EEF ph\u00E1p /$cL\u00EA A"
                 u"%260=##$aH\u00E0 N\u1ED9i$bGi\u00E1o d\u1EE5c$c2018"
                 u"%650=##$aNg\u00F4n ng\u1EEF%650=##$aNg\u1EEF ph\u00E1p");
  // Emiclib: the same record, the decomposed letters as they were copied.
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::Emiclib), copied),
                 u"245=00$aTi\u00EA\u0301ng Vi\u00EA\u0323t :$bng\u1EEF ph\u00E1p /$cL\u00EA A"
                 u"%260=##$aH\u00E0 N\u1ED9i$bGi\u00E1o d\u1EE5c$c2018"
                 u"%650=##$aNg\u00F4n ng\u1EEF%650=##$aNg\u1EEF ph\u00E1p");
}

}  // namespace
}  // namespace velmora::records
