#include <gtest/gtest.h>

#include "ModMain/Records/Sources.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

Text VerbraryWorkingText(TextView copied) {
  return WorkingText(SourceOf(SourceId::Verbrary), copied);
}

TEST(VerbraryRewrite, CopiedLinesBecomeTheWorkingText) {
  test::ExpectConversions(
      VerbraryWorkingText,
      {
          {u"245\t10\t|aTitle :\t|bsub /\t|cAuthor.\r\n650\t#7\t|aX\t|xY.\r\n",
           u"245=10$aTitle$bsub$cAuthor%650=#7$aX%650=##$aY%"},
          // Without a final line break the last field keeps its period.
          {u"245\t10\t|aTitle :\t|bsub /\t|cAuthor.", u"245=10$aTitle$bsub$cAuthor."},
          {u"260\t##\t|aHa Noi :\t|bNXB,\t|c1998.\r\n", u"260=##$aHa Noi$bNXB$c1998%"},
          {u"000\t|anam", u"000$anam"},                               // "000" is never a tag
          {u"245\t10\t|aT\r\n100\t1#\t|aA", u"245=10$aT%100=1#$aA"},  // every line's tag
          {u"245\t10 |aT", u"245=10$aT"},                             // a space before "|" too
          {u"500\t##\t|aA : b ; c , d / e", u"500=##$aA b c d e"},    // also inside a value
          {u"500\t##\t|aA|bB", u"500=##$aA$bB"},                      // any other bar
          {u"500\t##\t|aA.\t|bB,\t|cC", u"500=##$aA$bB$cC"},
          {u"245\t10\t|aT\n650\t#7\t|aA\t|xB", u"245=10$aT\n650\t#7$aA$xB"},  // LF is no break
          {u"", u""},
      });
}

// Only the tag of a line is followed by "=": the copied rewrite gave every
// tab after three digits one, so values ending in three digits gained "=".
TEST(VerbraryRewrite, OnlyALinesTagGetsTheEquals) {
  test::ExpectConversions(
      VerbraryWorkingText,
      {
          {u"500\t##\t|aPrinted 1998\t|5x", u"500=##$aPrinted 1998$5x"},
          {u"020\t##\t|a9786041234567\t|c50000", u"020=##$a9786041234567$c50000"},
          {u"245\t10\t|aT\r\n020\t##\t|a978\t|c5", u"245=10$aT%020=##$a978$c5"},
          {u"24510\t|aT", u"24510$aT"},  // five digits: no tag
      });
}

// "$x" starts a new 650 only in subject fields: the copied rewrite also split
// a series ISSN off into a subject heading.
TEST(VerbraryRewrite, GeneralSubdivisionsSplitOffOnlyInSubjectFields) {
  test::ExpectConversions(
      VerbraryWorkingText,
      {
          {u"490\t0#\t|aSeries ;\t|x1234-5678", u"490=0#$aSeries$x1234-5678"},
          {u"650\t#7\t|aA\t|xB\t|xC.", u"650=#7$aA%650=##$aB%650=##$aC."},
          {u"600\t14\t|aHo Chi Minh\t|xTho", u"600=14$aHo Chi Minh%650=##$aTho"},
          {u"650\t#7\t|aA\t|XB", u"650=#7$aA$XB"},  // lower-case "x" only
          {u"245\t10\t|aT\t|xU\r\n650\t#7\t|aA\t|xB\r\n", u"245=10$aT$xU%650=#7$aA%650=##$aB%"},
      });
}

TEST(VerbraryRewrite, CombiningToneMarksAreJoined) {
  // ệ written as ê (U+00EA) + combining dot below (U+0323) becomes U+1EC7.
  EXPECT_TEXT_EQ(WorkingText(SourceOf(SourceId::Verbrary), u"651\t#4\t|aVi\u00EA\u0323t Nam."),
                 u"651=#4$aVi\u1EC7t Nam.");
}

TEST(VerbraryConversion, CopiedRecordToOutputRecord) {
  const TextView copied =
      u"245\t10\t|aL\u1ECBch s\u01B0\u0309 Vi\u00EA\u0323t Nam :\t|bgi\u00E1o tr\u00ECnh /\t"
      u"|cTr\u1EA7n V\u0103n A.\r\n"
      u"490\t0#\t|aT\u1EE7 s\u00E1ch l\u1ECBch s\u1EED ;\t|x1859-0012\r\n"
      u"650\t#7\t|aL\u1ECBch s\u1EED\t|xGi\u00E1o tr\u00ECnh.\r\n";
  EXPECT_TEXT_EQ(ConvertRecord(SourceOf(SourceId::Verbrary), copied),
                 u"245=00$aL\u1ECBch s\u1EED Vi\u1EC7t Nam$bgi\u00E1o tr\u00ECnh"
                 u"$cTr\u1EA7n V\u0103n A"
                 u"%490=##$aT\u1EE7 s\u00E1ch l\u1ECBch s\u1EED"
                 u"%650=##$aL\u1ECBch s\u1EED%650=##$aGi\u00E1o tr\u00ECnh");
}

}  // namespace
}  // namespace velmora::records
