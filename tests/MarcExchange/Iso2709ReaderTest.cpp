// ISO 2709 read leniently: each kind of structural damage, made in the test
// from a clean file, is one row with the record it must give back and the
// repair it must report; the other records stay as they were.
#include <gtest/gtest.h>

#include <ostream>

#include <functional>

#include "MarcExchange/Iso2709Writer.h"
#include "MarcTestRecords.h"

namespace velmora::marc_exchange::test {
namespace {

// Where each record of a clean ISO 2709 file stands, and its parts.
struct Layout {
  std::size_t start, length, base;
  std::size_t entries;
  std::size_t Entry(std::size_t i) const { return start + 24 + 12 * i; }
  std::size_t Field(const std::string& file, std::size_t i) const {
    return start + base + std::stoul(file.substr(Entry(i) + 7, 5));
  }
  std::size_t FieldLength(const std::string& file, std::size_t i) const {
    return std::stoul(file.substr(Entry(i) + 3, 4));
  }
};

std::vector<Layout> LayOut(const std::string& file) {
  std::vector<Layout> layouts;
  for (std::size_t at = 0; at < file.size();) {
    Layout layout{at, std::stoul(file.substr(at, 5)), std::stoul(file.substr(at + 12, 5)), 0};
    layout.entries = (layout.base - 25) / 12;
    layouts.push_back(layout);
    at += layout.length;
  }
  return layouts;
}

void SetDigits(std::string& file, std::size_t at, std::size_t digits, std::size_t n) {
  std::string text = std::to_string(n);
  file.replace(at, digits, std::string(digits - text.size(), '0') + text);
}

struct Damage {
  const char* name;
  // Damages the second of three records (`r`), whose fields must still be read.
  std::function<void(std::string& file, const Layout& r)> apply;
  RepairKind reported;
};

const Damage kDamages[] = {
    {"record length three bytes too long",
     [](std::string& f, const Layout& r) { SetDigits(f, r.start, 5, r.length + 3); },
     RepairKind::kRecordLengthWrong},
    {"record length three bytes too short",
     [](std::string& f, const Layout& r) { SetDigits(f, r.start, 5, r.length - 3); },
     RepairKind::kRecordLengthWrong},
    {"record length far past the file",
     [](std::string& f, const Layout& r) { SetDigits(f, r.start, 5, 99999); },
     RepairKind::kRecordLengthWrong},
    {"base address two bytes off",
     [](std::string& f, const Layout& r) { SetDigits(f, r.start + 12, 5, r.base + 2); },
     RepairKind::kBaseAddressWrong},
    {"every directory offset five bytes off",
     [](std::string& f, const Layout& r) {
       for (std::size_t i = 0; i < r.entries; ++i) {
         SetDigits(f, r.Entry(i) + 7, 5, std::stoul(f.substr(r.Entry(i) + 7, 5)) + 5);
       }
     },
     RepairKind::kDirectoryOffsetWrong},
    {"one directory offset pointing into another field",
     [](std::string& f, const Layout& r) { SetDigits(f, r.Entry(2) + 7, 5, 3); },
     RepairKind::kDirectoryOffsetWrong},
    {"a directory entry's length four bytes long",
     [](std::string& f, const Layout& r) {
       SetDigits(f, r.Entry(3) + 3, 4, r.FieldLength(f, 3) + 4);
     },
     RepairKind::kDirectoryLengthWrong},
    {"a field terminator missing",
     [](std::string& f, const Layout& r) { f.erase(r.Field(f, 4) + r.FieldLength(f, 4) - 1, 1); },
     RepairKind::kFieldTerminatorMissing},
    {"the last field's terminator missing",
     [](std::string& f, const Layout& r) { f.erase(r.start + r.length - 2, 1); },
     RepairKind::kFieldTerminatorMissing},
    {"the record terminator missing",
     [](std::string& f, const Layout& r) { f.erase(r.start + r.length - 1, 1); },
     RepairKind::kRecordTerminatorMissing},
    {"a directory entry past the data",
     [](std::string& f, const Layout& r) {
       f.insert(r.Entry(r.entries), "999001009000");
       SetDigits(f, r.start, 5, r.length + 12);
       SetDigits(f, r.start + 12, 5, r.base + 12);
     },
     RepairKind::kDirectoryPastData},
    {"the directory not terminated",
     [](std::string& f, const Layout& r) { f.erase(r.start + r.base - 1, 1); },
     RepairKind::kDirectoryNotTerminated},
    {"a damaged directory entry",
     [](std::string& f, const Layout& r) { f.replace(r.Entry(1) + 4, 2, "x?"); },
     RepairKind::kDirectoryEntryDamaged},
    {"letters in the record length",
     [](std::string& f, const Layout& r) { f.replace(r.start, 5, "0a1b2"); },
     RepairKind::kLeaderNotDigits},
    {"blanks in the base address",
     [](std::string& f, const Layout& r) { f.replace(r.start + 12, 5, "  1 2"); },
     RepairKind::kLeaderNotDigits},
    {"a letter in the indicator count",
     [](std::string& f, const Layout& r) { f[r.start + 10] = 'x'; }, RepairKind::kLeaderNotDigits},
    {"garbage before the record",
     [](std::string& f, const Layout& r) { f.insert(r.start, "\r\n#junk\x01\x02"); },
     RepairKind::kGarbageSkipped},
    {"a line break after each record",
     [](std::string& f, const Layout& r) { f.insert(r.start + r.length, "\n"); },
     RepairKind::kGarbageSkipped},
};

// GoogleTest would otherwise print the case's bytes, unused buffers among them.
void PrintTo(const Damage& c, std::ostream* out) {
  *out << c.name;
}

class Iso2709Damage : public ::testing::TestWithParam<Damage> {};

TEST_P(Iso2709Damage, ReadsTheRecordAsItWasAndReportsTheRepair) {
  const std::vector<ExchangeRecord> records = SampleRecords(3);
  std::string file = WriteFile(OutputFormat::kIso2709, records);
  GetParam().apply(file, LayOut(file)[1]);
  for (const std::size_t piece : {SIZE_MAX, std::size_t{7}}) {
    const ReadBack back = ReadAll(file, piece);
    ASSERT_EQ(back.records.size(), 3u) << GetParam().name;
    EXPECT_TRUE(back.rejected.empty());
    EXPECT_TRUE(back.errors.empty());
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(FieldsText(back.records[i]), FieldsText(records[i])) << GetParam().name;
    }
    EXPECT_TRUE(back.HasRepair(GetParam().reported))
        << GetParam().name << ": " << RepairKindName(GetParam().reported) << " not reported";
    // Garbage around a record leaves the record as it stood.
    EXPECT_EQ(back.records[1].Changed(), GetParam().reported != RepairKind::kGarbageSkipped);
    EXPECT_FALSE(back.records[0].Changed());
    // The repaired record written again is clean.
    const std::string again = Rewrite(file, OutputFormat::kIso2709);
    EXPECT_EQ(again, WriteFile(OutputFormat::kIso2709, records)) << GetParam().name;
  }
}

INSTANTIATE_TEST_SUITE_P(EachKind, Iso2709Damage, ::testing::ValuesIn(kDamages),
                         [](const auto& info) {
                           std::string name;
                           for (const char c : std::string(info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

TEST(Iso2709Reader, ReadsATruncatedRecordAsFarAsItGoes) {
  const std::vector<ExchangeRecord> records = SampleRecords(3);
  std::string file = WriteFile(OutputFormat::kIso2709, records);
  file.resize(file.size() - 10);  // the last field loses 8 bytes, its 1E and the 1D
  const ReadBack back = ReadAll(file);
  ASSERT_EQ(back.records.size(), 3u);
  EXPECT_TRUE(back.HasRepair(RepairKind::kRecordTruncated));
  ExchangeRecord expected = records[2];
  const std::size_t last = expected.FieldCount() - 1;
  const std::string content = expected.Field(last).content;
  expected.SetFieldContent(last, content.substr(0, content.size() - 8));
  FitLeaderLengths(expected);
  EXPECT_EQ(FieldsText(back.records[2]), FieldsText(expected));
}

// What cannot be read is handed back with its bytes exactly, its number and
// offset, and the records after it are read.
TEST(Iso2709Reader, HandsBackWhatCannotBeRead) {
  const std::vector<ExchangeRecord> records = SampleRecords(2);
  const std::string clean = WriteFile(OutputFormat::kIso2709, records);
  const std::size_t second = LayOut(clean)[1].start;
  const struct {
    const char* name;
    std::string unreadable;
  } cases[] = {
      {"garbage ending like a record", "junk\x1Emore\x1D"},
      {"a leader and no directory", "00050nam a2200025   4500\x1E\x1D"},
  };
  for (const auto& c : cases) {
    std::string file = clean;
    file.insert(second, c.unreadable);
    const ReadBack back = ReadAll(file);
    ASSERT_EQ(back.records.size(), 2u) << c.name;
    ASSERT_EQ(back.rejected.size(), 1u) << c.name;
    EXPECT_EQ(back.rejected[0].bytes, c.unreadable) << c.name;
    EXPECT_EQ(back.rejected[0].offset, second) << c.name;
    EXPECT_EQ(back.rejected[0].number, 2u) << c.name;
    EXPECT_EQ(back.records[1].Origin().number, 3u) << c.name;
  }
  // A file that ends inside a leader.
  const ReadBack cut = ReadAll(clean + "00123nam a22");
  ASSERT_EQ(cut.rejected.size(), 1u);
  EXPECT_EQ(cut.rejected[0].bytes, "00123nam a22");
}

// yaz-marcdump reads by the leader's lengths and offsets without a word on
// slightly wrong ones; these are what it gets wrong and we must not.
TEST(Iso2709Reader, FindsTheNextRecordWhenTheLengthIsWrong) {
  const std::vector<ExchangeRecord> records = SampleRecords(4);
  std::string file = WriteFile(OutputFormat::kIso2709, records);
  const std::vector<Layout> layouts = LayOut(file);
  SetDigits(file, layouts[0].start, 5, layouts[0].length - 40);
  SetDigits(file, layouts[2].start, 5, layouts[2].length + 17);
  const ReadBack back = ReadAll(file);
  EXPECT_EQ(back.AllFields(), ReadAll(WriteFile(OutputFormat::kIso2709, records)).AllFields());
}

}  // namespace
}  // namespace velmora::marc_exchange::test
