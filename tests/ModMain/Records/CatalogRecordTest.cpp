#include <gtest/gtest.h>

#include "ModMain/Records/CatalogRecord.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

void ExpectRebuilds(std::initializer_list<test::ConversionCase> cases) {
  test::ExpectConversions(BuildCatalogRecord, cases);
}

TEST(CatalogRecord, TitleStandsFirstWithIndicatorsZeroZero) {
  ExpectRebuilds({
      {u"", u""},
      {u"245=10$aTitle :$bsubtitle /$cauthor", u"245=00$aTitle :$bsubtitle /$cauthor"},
      {u"245=10$aT$pPart$nNo.$cA$bB", u"245=00$aT$bB$cA$nNo.$pPart"},  // b, c, n, p order
      {u"245=10$bOnly a subtitle%100=1#$aName", u"%100=##$aName"},     // no "$a": no title
      {u"245=10$aFirst%245=10$aSecond", u"245=00$aFirst"},
  });
}

TEST(CatalogRecord, ImprintAndPhysicalDescriptionLoseSeparatingPunctuation) {
  ExpectRebuilds({
      {u"260=##$aHanoi :$bPublisher,$c2019", u"%260=##$aHanoi$bPublisher$c2019"},
      {u"260=##$c2019", u"%260=##$c2019"},                  // "$c" opens the field
      {u"260=##$a: $bPublisher", u"%260=##$a$bPublisher"},  // tested before trimming
      {u"260=##$a:$bPublisher", u"%260=##$bPublisher"},     // empty once the colon goes
      {u"260=##$bA, B,$c1998", u"%260=##$bA B$c1998"},
      {u"300=##$a120 p. :$bill. ;$c24 cm", u"%300=##$a120 p.$bill.$c24 cm"},
      {u"300=##$a; :$e1 CD", u"%300=##$e1 CD"},
  });
}

TEST(CatalogRecord, JoinedSubfieldsContinueTheirFieldOrOpenIt) {
  ExpectRebuilds({
      {u"020=##$a123$c50000", u"%020=##$a123$c50000"},
      {u"020=##$c50000", u"%020=##$c50000"},
      {u"082=14$a895.9$bN", u"%082=##$a895.9$bN"},
      {u"082=14$bN", u"%082=##$bN"},
  });
}

TEST(CatalogRecord, SeriesSubjectsAndAddedEntriesAreSplitAndCapped) {
  ExpectRebuilds({
      {u"440=#0$aSeries A%490=0#$aSeries B", u"%490=##$aSeries A%490=##$aSeries B"},
      {u"650=#7$aHistory$xSociety$vTextbooks",
       u"%650=##$aHistory%650=##$aSociety%650=##$aTextbooks"},
      {u"650=#7$aA$xA1%650=#7$aB$xB1", u"%650=##$aA%650=##$aB%650=##$aA1%650=##$aB1"},
      {u"100=1#$aName$d1950-", u"%100=##$aName"},
      {u"700=1#$a1%700=1#$a2%700=1#$a3%700=1#$a4%700=1#$a5%700=1#$a6%700=1#$a7",
       u"%700=##$a1%700=##$a2%700=##$a3%700=##$a4"},
      {u"700=1#$a1$a2$a3$a4", u"%700=##$a1%700=##$a2%700=##$a3"},
      {u"653=##$a1%653=##$a2%653=##$a3%653=##$a4%653=##$a5%653=##$a6",
       u"%653=##$a1%653=##$a2%653=##$a3%653=##$a4%653=##$a5"},
  });
}

// An empty subfield is empty text: an empty "$b" does not pull in "$c" twice.
TEST(CatalogRecord, EmptySubfieldIsLeftOut) {
  ExpectRebuilds({
      {u"245=10$aTitle$b$cAuthor", u"245=00$aTitle$cAuthor"},
      {u"245=10$a$bSub%100=1#$aX", u"%100=##$aX"},
      {u"260=##$a$bNXB$c2019", u"%260=##$bNXB$c2019"},
      {u"020=%100=1#$aX", u"%100=##$aX"},
  });
}

TEST(CatalogRecord, WholeVietnameseRecord) {
  const TextView working =
      u"000nam%001=VN123%020=##$a978-604-1-00000-1$c85000\u0111"
      u"%041=0#$avie%082=04$a959.7$bL302S"
      u"%100=1#$aNguy\u1EC5n, V\u0103n A$d1950-"
      u"%245=10$aL\u1ECBch s\u1EED Vi\u1EC7t Nam :$bth\u1EDDi k\u1EF3 \u0111\u1ED5i m\u1EDBi /"
      u"$cNguy\u1EC5n V\u0103n A"
      u"%250=##$aT\u00E1i b\u1EA3n l\u1EA7n 2"
      u"%260=##$aH\u00E0 N\u1ED9i :$bCh\u00EDnh tr\u1ECB qu\u1ED1c gia,$c2019"
      u"%300=##$a350 tr. :$bminh ho\u1EA1 ;$c24 cm"
      u"%650=#7$aL\u1ECBch s\u1EED$zVi\u1EC7t Nam$vGi\u00E1o tr\u00ECnh"
      u"%653=##$aL\u1ECBch s\u1EED%700=1#$aTr\u1EA7n B";
  const TextView expected =
      u"245=00$aL\u1ECBch s\u1EED Vi\u1EC7t Nam :$bth\u1EDDi k\u1EF3 \u0111\u1ED5i m\u1EDBi /"
      u"$cNguy\u1EC5n V\u0103n A"
      u"%020=##$a978-604-1-00000-1$c85000\u0111%041=##$avie%082=##$a959.7$bL302S"
      u"%100=##$aNguy\u1EC5n, V\u0103n A%250=##$aT\u00E1i b\u1EA3n l\u1EA7n 2"
      u"%260=##$aH\u00E0 N\u1ED9i$bCh\u00EDnh tr\u1ECB qu\u1ED1c gia$c2019"
      u"%300=##$a350 tr.$bminh ho\u1EA1$c24 cm"
      u"%650=##$aL\u1ECBch s\u1EED%650=##$aGi\u00E1o tr\u00ECnh%650=##$aVi\u1EC7t Nam"
      u"%653=##$aL\u1ECBch s\u1EED%700=##$aTr\u1EA7n B";
  EXPECT_TEXT_EQ(BuildCatalogRecord(working), expected);
}

// Each output field names the working field that opened it; the traced
// rebuild writes the same text as the plain one.
TEST(CatalogRecord, TracedRecordNamesWhereEachFieldCameFrom) {
  const struct {
    TextView working;
    std::vector<FieldOrigin> origins;
  } cases[] = {
      {u"", {}},
      {u"245=10$aT$cA%100=1#$aN", {{u"245", 1}, {u"100", 1}}},
      {u"245=10$bOnly%020=##$c5", {{u"020", 1}}},  // no title; "$c" opens 020
      {u"020=##$a1$c5%440=#0$aS%490=0#$aR", {{u"020", 1}, {u"440", 1}, {u"490", 1}}},
      {u"650=#7$aA$xA1%650=#7$aB$vB1", {{u"650", 1}, {u"650", 2}, {u"650", 1}, {u"650", 2}}},
      {u"700=1#$a1$a2%700=1#$a3", {{u"700", 1}, {u"700", 2}, {u"700", 1}}},
  };
  for (const auto& c : cases) {
    const TracedRecord traced = BuildCatalogRecordTraced(c.working);
    EXPECT_TEXT_EQ(traced.record, BuildCatalogRecord(c.working));
    EXPECT_EQ(traced.origins, c.origins) << test::Readable(c.working);
  }
}

}  // namespace
}  // namespace velmora::records
