#include <gtest/gtest.h>

#include "ModMain/Records/CatalogRecord.h"
#include "ModMain/Records/CatalogRecordHue.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

void ExpectRebuilds(std::initializer_list<test::ConversionCase> cases) {
  test::ExpectConversions(BuildCatalogRecordHue, cases);
}

TEST(CatalogRecordHue, TitleIsGatheredFromRepeatedFields) {
  ExpectRebuilds({
      {u"", u""},
      {u"245=10$aTitle%245=##$bSub%245=##$cAuthor", u"245=##$aTitle$bSub$cAuthor"},
      {u"245=10$aTitle$bSub", u"245=##$aTitle"},         // "$b" only from the second field
      {u"245=10$hx%245=##$cAuthor", u"245=##$cAuthor"},  // no "$a": "$c" opens the field
      {u"245=10$aT%245=##$pPart", u"245=##$aT$pPart"},
      {u"245=10$aT%245=##$cA%245=##$cB", u"245=##$aT$cA$cB"},
      // Every title row, in row order: "$c" of 2 and 3, "$n" of 2 to 4,
      // "$p" of 2 to 5; "$n" of the fifth field is not read.
      {u"245=10$aT%245=##$bB$cC1$nN1$pP1%245=##$cC2$nN2$pP2%245=##$nN3$pP3"
       u"%245=##$nN4$pP4",
       u"245=##$aT$bB$cC1$cC2$nN1$nN2$nN3$pP1$pP2$pP3$pP4"},
      {u"100=1#$aName%245=##$pP", u"%100=##$aName"},  // "$p" only from fields 2 to 5
      {u"245=10$bB%245=##$bS", u"245=##$bS"},
  });
}

TEST(CatalogRecordHue, JoinedFieldsAndNoCleanUp) {
  ExpectRebuilds({
      {u"020=##$a111%020=##$a222%020=##$c50000", u"%020=##$a111$a222$c50000"},
      {u"020=##$c1%020=##$c2%020=##$c3%020=##$c4", u"%020=##$c1$c2$c3"},
      {u"041=0#$avie", u"%041=##$avie"},
      {u"084=##$aV23%084=##$b1", u"%082=##$aV23$b1"},
      {u"082=##$a959.7%084=##$aV23", u"%082=##$a959.7$aV23"},
      {u"082=##$a959.7$bX%082=##$bN", u"%082=##$a959.7$bN"},
      {u"260=##$aHanoi :%260=##$bPublisher,%260=##$c2019", u"%260=##$aHanoi :$bPublisher,$c2019"},
      {u"260=##$aHanoi%260=##$c2019", u"%260=##$aHanoi"},
      {u"300=##$aA :%300=##$bB ;$cC1%300=##$cC2$eE1%300=##$eE2",
       u"%300=##$aA :$bB ;$cC1$cC2$eE1$eE2"},
      {u"300=##$c24 cm", u""},  // "$c" only from fields 2 and 3
      {u"440=#0$aSeries", u""},
      {u"490=0#$aSeries", u"%490=##$aSeries"},
  });
}

// From 500 on the two rebuilds make the same lookups in the same order.
TEST(CatalogRecordHue, NotesSubjectsAndAddedEntriesAsInTheCatalogueRebuild) {
  const TextView working =
      u"500=##$aN1%504=##$aN2%505=##$aN3%520=##$aN4%534=##$aN5%546=##$aN6%600=##$aP"
      u"%650=#7$aA1$aA2$aA3$aA4$xX1$xX2$xX3$xX4$vV1$vV2$vV3$vV4$zZ1$zZ2"
      u"%650=#7$aB$xBX$vBV$zBZ$xBX2%650=#7$aC$xCX$vCV$zCZ%650=#7$aD$xDX%650=#7$aE%650=#7$aF"
      u"%651=##$aG1%651=##$aG2%653=##$aK1%653=##$aK2%653=##$aK3%653=##$aK4%653=##$aK5"
      u"%653=##$aK6%655=##$aF1%700=1#$aP1$aP2$aP3$aP4%700=1#$aQ2%700=1#$aQ3%700=1#$aQ4"
      u"%700=1#$aQ5";
  const Text rebuilt = BuildCatalogRecordHue(working);
  EXPECT_TEXT_EQ(rebuilt, BuildCatalogRecord(working));
  EXPECT_EQ(rebuilt.find(u"%700=##$aQ5"), Text::npos);
  EXPECT_NE(rebuilt.find(u"%650=##$aCZ"), Text::npos);
}

// The title is opened by whichever title row first yields a value; later
// rows join it and name no origin of their own.
TEST(CatalogRecordHue, TracedRecordNamesTheFieldThatOpenedEach) {
  const struct {
    TextView working;
    std::vector<FieldOrigin> origins;
  } cases[] = {
      {u"245=10$aT%245=$bS%245=$cA", {{u"245", 1}}},
      {u"245=10$hx%245=$cA%020=$a1%020=$c5", {{u"245", 2}, {u"020", 1}}},
      {u"084=##$aV23%084=##$b1%100=10$aN", {{u"084", 1}, {u"100", 1}}},
  };
  for (const auto& c : cases) {
    const TracedRecord traced = BuildCatalogRecordHueTraced(c.working);
    EXPECT_TEXT_EQ(traced.record, BuildCatalogRecordHue(c.working));
    EXPECT_EQ(traced.origins, c.origins) << test::Readable(c.working);
  }
}

}  // namespace
}  // namespace velmora::records
