#include <gtest/gtest.h>

#include "ModMain/Records/Sources.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

Text LibolWorkingText(TextView copied) {
  return WorkingText(SourceOf(SourceId::Libol), copied);
}

TEST(LibolRewrite, CopiedLinesBecomeTheWorkingText) {
  test::ExpectConversions(
      LibolWorkingText,
      {
          {u"245    10$aTitle $bSub\r\n100    1 $aAuthor", u"245=10$aTitle$bSub%100=1$aAuthor"},
          {u"020      $a123", u"020= $a123"},          // six spaces: only one goes before "$"
          {u"650     7$aX   $2y", u"650= 7$aX##$2y"},  // three spaces before "$2"
          {u"100    # $aX", u"100=#$aX"},              // a single indicator character
          {u"100    #  $aX", u"100=##$aX"},
          {u"000    nam", u"000nam"},             // "000" is never a tag
          {u"1998 in print", u"199=8 in print"},  // any three digits are marked
          {u"500    ##$aA==B", u"500=##$aA=B"},   // "==" in a value too
          {u"245    10$aT\r\n", u"245=10$aT%"},   // a final break leaves a trailing "%"
          {u"", u""},
          {u"245    10$aT\n100    1 $aA", u"245=10$aT\n1001$aA"},  // LF alone is no break
          {u"245    10$aT ZZZZ\r\nX", u"245=10$aT X"},             // any start marker goes
      });
}

TEST(LibolConversion, CopiedRecordToOutputRecord) {
  EXPECT_TEXT_EQ(
      ConvertRecord(SourceOf(SourceId::Libol), u"245    10$aTitle $bSub\r\n100    1 $aAuthor"),
      u"245=00$aTitle$bSub%100=##$aAuthor");
  // A whole record with Vietnamese letters, precomposed and with a combining
  // tone mark (the Libol conversion leaves letters as they are).
  const TextView copied =
      u"000    nam a22     a 4500\r\n"
      u"001    VN123\r\n"
      u"020    ##$a978-604-57-0001-2 :$c120000\u0111\r\n"
      u"041    0#$avie\r\n"
      u"082    04$a895.922$bT103\r\n"
      u"100    1 $aT\u00F4 Ho\u00E0i\r\n"
      u"245    10$aD\u1EBF Me\u0300n phi\u00EAu l\u01B0u k\u00FD /$cT\u00F4 Ho\u00E0i\r\n"
      u"260    ##$aH\u00E0 N\u1ED9i :$bKim \u0110\u1ED3ng,$c2020\r\n"
      u"300    ##$a143 tr. :$btranh v\u1EBD ;$c21 cm\r\n"
      u"650    #7$aV\u0103n h\u1ECDc thi\u1EBFu nhi$zVi\u1EC7t Nam\r\n"
      u"653    ##$aTruy\u1EC7n\r\n";
  const TextView expected =
      u"245=00$aD\u1EBF Me\u0300n phi\u00EAu l\u01B0u k\u00FD /$cT\u00F4 Ho\u00E0i"
      u"%020=##$a978-604-57-0001-2 :$c120000\u0111%041=##$avie%082=##$a895.922$bT103"
      u"%100=##$aT\u00F4 Ho\u00E0i%260=##$aH\u00E0 N\u1ED9i$bKim \u0110\u1ED3ng$c2020"
      u"%300=##$a143 tr.$btranh v\u1EBD$c21 cm"
      u"%650=##$aV\u0103n h\u1ECDc thi\u1EBFu nhi%650=##$aVi\u1EC7t Nam%653=##$aTruy\u1EC7n";
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::Libol), copied), expected);
}

}  // namespace
}  // namespace velmora::records
