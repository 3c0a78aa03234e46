#include <gtest/gtest.h>

#include "ModMain/Records/Sources.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

Text IlibWorkingText(TextView copied) {
  return WorkingText(SourceOf(SourceId::Ilib), copied);
}

TEST(IlibRewrite, TabbedColumnsBecomeTheWorkingText) {
  test::ExpectConversions(
      IlibWorkingText,
      {
          {u"245\t10\ta\tTitle\r\n100\t1 \ta\tAuthor", u"245=10$aTitle%100=1 $aAuthor"},
          {u"082\t04\ta\t895.9\t2\t14", u"082=04$a895.9$214"},
          {u"245\t10\tA\tTitle", u"245=10ATitle"},  // an upper-case code is no code
          {u"245\t10\tq\tTitle", u"245=10qTitle"},  // nor is a letter outside the fourteen
          {u"020\t  \ta\t123", u"020=$a123"},       // two blank indicators vanish
          {u"245\t00\ta\tX\r\ncontinued", u"245=00$aXcontinued"},
          {u"000\tnam", u"000nam"},              // "000" is never a tag
          {u"245\t10\ta\tT\r\n", u"245=10$aT"},  // no trailing "%"
          {u"", u""},
          {u"245\t10\ta\tA==B", u"245=10$aA=B"},
          {u"245\t10\ta\tT\n100\t1 \ta\tA", u"245=10$aT\n1001 $aA"},  // LF alone is no break
      });
}

// A code column stands between two bars; a value that ends in a code letter
// keeps it, and a one-letter value is not a code.
TEST(IlibRewrite, OnlyACodeColumnBecomesASubfieldMark) {
  test::ExpectConversions(
      IlibWorkingText,
      {
          {u"245\t10\ta\tTitle\tb\tSub", u"245=10$aTitle$bSub"},
          {u"245\t10\tb\ta\ta\tx", u"245=10$ba$ax"},
          {u"300\t  \ta\t20 cm\te\t1 CD\tc\tx", u"300=$a20 cm$e1 CD$cx"},
          {u"650\t 7\ta\tA\tx\tB\ty\tC\tz\tD\tv\tE\t2\tF\t3\tG", u"650= 7$aA$xB$yC$zD$vE$2F$3G"},
      });
}

TEST(IlibConversion, CopiedRecordToOutputRecord) {
  // Vietnamese letters precomposed and with a combining mark
  // (o + U+0323 combining dot below) pass through unchanged.
  const TextView copied =
      u"001\tVN-ILIB-1\r\n"
      u"020\t  \ta\t978-604-1-2 :\tc\t85000\u0111\r\n"                          // đ
      u"245\t10\ta\tC\u1ECF xanh\tc\tNguy\u00EA\u0303n Nh\u1EADt \u00C1nh\r\n"  // ỏ; ê + tilde
      u"260\t  \ta\tH\u00E0 N\u1ED9i :\tb\tTr\u1EBB,\tc\t2018\r\n"
      u"650\t 7\ta\tV\u0103n ho\u0323c\tz\tVi\u1EC7t Nam\r\n";
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::Ilib), copied),
                 u"245=00$aC\u1ECF xanh$cNguy\u00EA\u0303n Nh\u1EADt \u00C1nh"
                 u"%020=##$a978-604-1-2 :$c85000\u0111"
                 u"%260=##$aH\u00E0 N\u1ED9i$bTr\u1EBB$c2018"
                 u"%650=##$aV\u0103n ho\u0323c%650=##$aVi\u1EC7t Nam");
}

}  // namespace
}  // namespace velmora::records
