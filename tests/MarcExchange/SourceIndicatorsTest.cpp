// The source's indicators in the MARC formats: each output field gets those
// of the working field it was taken from, the output record text unchanged.
#include <gtest/gtest.h>

#include <sstream>

#include "MarcExchange/RecordStream.h"
#include "MarcExchange/SourceIndicators.h"
#include "ModMain/Records/CatalogRecord.h"
#include "ModMain/Records/CatalogRecordHue.h"
#include "support/TextPrinting.h"

namespace velmora::marc_exchange {
namespace {

// The record as MarcEdit mnemonic lines after its leader and 008 («=245  10$aT»).
std::string MnemonicFields(const records::TracedRecord& traced, TextView working) {
  std::ostringstream out;
  RecordStream stream(OutputFormat::kMrk, out, {2025, 3, 14});
  EXPECT_TRUE(stream.Add(traced.record, {working, traced.origins}).written);
  EXPECT_TRUE(stream.Finish());
  const std::string all = out.str();
  const std::size_t after008 = all.find("\r\n", all.find("=008")) + 2;
  return all.substr(after008);
}

TEST(SourceIndicators, EachFieldGetsThoseOfTheWorkingFieldItCameFrom) {
  const struct {
    TextView working;
    const char* expected;
  } cases[] = {
      {u"245=10$aT%100=1#$aA$d1950-%650=#7$aX$xY",
       "=100  1\\$aA\r\n=245  10$aT\r\n=650  \\7$aX\r\n=650  \\7$aY\r\n\r\n"},
      // 440 is written as 490, whose indicators mean something else: blank.
      {u"440=#0$aS%490=1#$aR", "=490  \\\\$aS\r\n=490  1\\$aR\r\n\r\n"},
      // Unreadable ones leave the output record's own.
      {u"245= 10$aT%082=X$aY", "=082  \\\\$aY\r\n=245  00$aT\r\n\r\n"},
      // The k-th field of a tag, as the lookups count them.
      {u"650=#0$aA%650=#7$aB%650=#4$aC", "=650  \\0$aA\r\n=650  \\7$aB\r\n=650  \\4$aC\r\n\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MnemonicFields(records::BuildCatalogRecordTraced(c.working), c.working), c.expected)
        << test::Readable(c.working);
  }
  const TextView hue = u"245=10$aT%245=$bS%100=1#$aA";
  EXPECT_EQ(MnemonicFields(records::BuildCatalogRecordHueTraced(hue), hue),
            "=100  1\\$aA\r\n=245  10$aT$bS\r\n\r\n");
}

TEST(SourceIndicators, FoundAsTheLookupsFindTheField) {
  EXPECT_EQ(WorkingFieldIndicators(u"1245=12$aX%245=34$aY", u"245", 2), (Indicators{u'3', u'4'}));
  EXPECT_EQ(WorkingFieldIndicators(u"245=10$aX", u"245", 2), std::nullopt);
  EXPECT_EQ(WorkingFieldIndicators(u"245=10$aX", u"245", 0), std::nullopt);
  EXPECT_EQ(WorkingFieldIndicators(u"245=1", u"245", 1), (Indicators{u'1', u' '}));
}

}  // namespace
}  // namespace velmora::marc_exchange
