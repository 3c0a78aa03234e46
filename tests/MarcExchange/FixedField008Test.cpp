// What a record gets before it is written: a minimal 008 from what it says,
// and its fields in tag order, checked against bytes worked out by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "MarcExchange/FixedField008.h"
#include "MarcExchange/RecordStream.h"
#include "support/TextPrinting.h"

namespace velmora::marc_exchange {
namespace {

constexpr CalendarDate kPiDay{2025, 3, 14};

TEST(FixedField008, TakesOnlyTheYearAndLanguageTheRecordGives) {
  const struct {
    TextView outputRecord;
    TextView expected;
  } cases[] = {
      // 00-05 date entered, 06 type of date, 07-10 date 1, 15-17 place, 35-37 language
      {u"245=00$aT", u"250314|||||||||vm |||||||||||||||||vie||"},
      {u"245=00$aT%260=##$aH$c2019", u"250314s2019||||vm |||||||||||||||||vie||"},
      {u"260=##$cc2019.%264=#1$c2001", u"250314s2019||||vm |||||||||||||||||vie||"},
      {u"260=##$c[19--]%264=#1$c[2018?]", u"250314s2018||||vm |||||||||||||||||vie||"},
      {u"260=##$c20190", u"250314|||||||||vm |||||||||||||||||vie||"},  // no four-digit year
      {u"041=0#$aeng$afre", u"250314|||||||||vm |||||||||||||||||eng||"},
      {u"041=0#$aENG ; vie", u"250314|||||||||vm |||||||||||||||||eng||"},
      {u"041=0#$aTi\u1EBFng Vi\u1EC7t", u"250314|||||||||vm |||||||||||||||||vie||"},  // Tiếng Việt
      {u"041=0#$aen", u"250314|||||||||vm |||||||||||||||||vie||"},
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(MinimalFixedField008(ParseOutputRecord(c.outputRecord).record, kPiDay),
                   c.expected)
        << test::Readable(c.outputRecord);
  }
  EXPECT_TEXT_EQ(MinimalFixedField008({}, {2009, 1, 5}).substr(0, 6), u"090105");
}

TEST(FixedField008, AddedOnlyWhenMissingAndNeverToAnEmptyRecord) {
  MarcRecord own = ParseOutputRecord(u"245=00$aT%008=190315s2019").record;
  CompleteForExchange(own, kPiDay);
  ASSERT_EQ(own.fields.size(), 2u);
  EXPECT_TEXT_EQ(own.fields[0].data, u"190315s2019");
  MarcRecord empty;
  CompleteForExchange(empty, kPiDay);
  EXPECT_TRUE(empty.fields.empty());
}

// 001 «X» 2 bytes from 0; 008 41 from 2; 245 «00» US «aT» 6 from 43; 260 «  »
// US «c2019» 9 from 49; 650 6 from 58; base 24 + 5 * 12 + 1 = 85, length
// 85 + 64 + 1 = 150. The 650 written second stands last, the 001 first.
TEST(FixedField008, RecordsAreWrittenInTagOrderWithTheir008) {
  std::ostringstream out;
  RecordStream stream(OutputFormat::kIso2709, out, kPiDay);
  ASSERT_TRUE(stream.Add(u"245=00$aT%650=##$aS%001=X%260=##$c2019").written);
  ASSERT_TRUE(stream.Finish());
  // clang-format off
  EXPECT_EQ(out.str(), "00150nam a2200085   4500"
                       "001000200000" "008004100002" "245000600043" "260000900049"
                       "650000600058" "\x1E"
                       "X\x1E" "250314s2019||||vm |||||||||||||||||vie||\x1E"
                       "00\x1F" "aT\x1E" "  \x1F" "c2019\x1E" "  \x1F" "aS\x1E\x1D");
  // clang-format on
}

}  // namespace
}  // namespace velmora::marc_exchange
