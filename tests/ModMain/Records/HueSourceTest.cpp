#include <gtest/gtest.h>

#include "ModMain/Records/Sources.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

Text HueWorkingText(TextView copied) {
  return WorkingText(SourceOf(SourceId::Hue), copied);
}

TEST(HueRewrite, LinesBecomeTheWorkingText) {
  test::ExpectConversions(
      HueWorkingText,
      {
          // Two spaces before each code; three give "$" and a space.
          {u"24510  aTitle  bSub\r\n1001   aAuthor", u"245=10$aTitle$bSub%100=1$ aAuthor"},
          {u"24510  aTitle\r\n245  bSub", u"245=10$aTitle%245=$bSub"},
          {u"245 10  aTitle\r\n  continued", u"245= 10$aTitle$continued"},
          {u"24510  aA\r\n", u"245=10$aA"},                  // nothing left of a final line break
          {u"000  nam\r\n24510  aA", u"000$nam%245=10$aA"},  // "000" is never a tag
          {u"500    aX", u"500=$$aX"},                       // four spaces: two "$"
          {u"", u""},
          {u"24510  aA\n500  aB", u"245=10$aA\n500$aB"},  // LF alone is no break
          {u"24510  aA ZZZZ B", u"245=10$aA  B"},         // "ZZZZ" goes wherever it stands
      });
}

TEST(HueConversion, BoxTextToOutputRecord) {
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::Hue), u"24510  aTitle\r\n245  bSub"),
                 u"245=##$aTitle$bSub");
  // A line with two title subfields keeps only its "$a": "$b" is read from
  // the second 245 field.
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::Hue), u"24510  aTitle  bSub"), u"245=##$aTitle");
  // Vietnamese letters precomposed and with a combining tone mark
  // (e + U+0301 combining acute) pass through unchanged.
  const TextView boxText =
      u"020  a978-604-1-2\r\n"
      u"020  c85000\u0111\r\n"             // đ
      u"24510  aC\u1ECF xanh :\r\n"        // ỏ
      u"245  bti\u1EC3u thuye\u0301t\r\n"  // ể; e + acute
      u"260  aH\u00E0 N\u1ED9i :\r\n"
      u"260  bTr\u1EBB,\r\n"
      u"260  c2018\r\n"
      u"650 7  aV\u0103n h\u1ECDc  zVi\u1EC7t Nam\r\n";
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::Hue), boxText),
                 u"245=##$aC\u1ECF xanh :$bti\u1EC3u thuye\u0301t"
                 u"%020=##$a978-604-1-2$c85000\u0111"
                 u"%260=##$aH\u00E0 N\u1ED9i :$bTr\u1EBB,$c2018"
                 u"%650=##$aV\u0103n h\u1ECDc%650=##$aVi\u1EC7t Nam");
}

}  // namespace
}  // namespace velmora::records
