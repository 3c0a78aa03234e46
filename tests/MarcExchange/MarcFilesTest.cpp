// The three formats together: each read to the same fields, a clean file
// written again byte for byte, our own output read and written again
// unchanged, the format found from the content, several inputs as one
// stream; and the mnemonic file's own rules.
#include <gtest/gtest.h>

#include "MarcExchange/ExchangeRecord.h"
#include "MarcExchange/MrkMnemonics.h"
#include "MarcTestRecords.h"

namespace velmora::marc_exchange::test {
namespace {

constexpr OutputFormat kFormats[] = {OutputFormat::kIso2709, OutputFormat::kMarcXml,
                                     OutputFormat::kMrk};

TEST(MarcFiles, EveryFormatReadsToTheFieldsWritten) {
  const std::vector<ExchangeRecord> records = SampleRecords(12);
  std::string expected;
  for (const ExchangeRecord& record : records) expected += FieldsText(record) + "\n";
  for (const OutputFormat format : kFormats) {
    const ReadBack back = ReadAll(WriteFile(format, records), 5);
    EXPECT_EQ(back.AllFields(), expected) << OutputFormatName(format);
    EXPECT_TRUE(back.repairs.empty()) << OutputFormatName(format);
    for (const ExchangeRecord& record : back.records) EXPECT_FALSE(record.Changed());
  }
}

// Each format read and written in each other gives the same fields.
TEST(MarcFiles, ConvertsBetweenTheFormats) {
  const std::vector<ExchangeRecord> records = SampleRecords(5);
  const std::string expected = ReadAll(WriteFile(OutputFormat::kIso2709, records)).AllFields();
  for (const OutputFormat from : kFormats) {
    for (const OutputFormat to : kFormats) {
      const std::string written = Rewrite(WriteFile(from, records), to);
      EXPECT_EQ(ReadAll(written).AllFields(), expected)
          << OutputFormatName(from) << " -> " << OutputFormatName(to);
    }
  }
}

// Files as other tools lay them out: another indentation, comments, LF line
// breaks, a byte order mark: written again exactly.
TEST(MarcFiles, ACleanFileComesOutByteForByte) {
  const std::vector<ExchangeRecord> records = SampleRecords(3);
  std::string mrkLf = WriteFile(OutputFormat::kMrk, records);
  for (std::size_t at = mrkLf.find("\r\n"); at != std::string::npos; at = mrkLf.find("\r\n", at)) {
    mrkLf.erase(at, 1);
  }
  const std::string slim = "http://www.loc.gov/MARC21/slim";
  const std::string xml =
      "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8' standalone='yes'?>\n<!-- export -->\n"
      "<marc:collection xmlns:marc=\"" +
      slim +
      "\"\n  xmlns:xsi=\"http://www.w3.org/2001/"
      "XMLSchema-instance\">\r\n\t<marc:record><marc:leader>00000nam a2200000   4500</marc:leader>"
      "<marc:datafield tag='245' ind1='1' ind2='0'><marc:subfield code='a'>A &amp; B"
      "</marc:subfield></marc:datafield></marc:record><!-- between -->\n\n<marc:record>"
      "<marc:leader>00000nam a2200000   4500</marc:leader><marc:controlfield tag='001'>x"
      "</marc:controlfield></marc:record>\n</marc:collection>\n<!-- after -->\n";
  const struct {
    const char* name;
    OutputFormat format;
    std::string file;
  } files[] = {
      {"ISO 2709", OutputFormat::kIso2709, WriteFile(OutputFormat::kIso2709, records)},
      {"our MARCXML", OutputFormat::kMarcXml, WriteFile(OutputFormat::kMarcXml, records)},
      {"another tool's MARCXML", OutputFormat::kMarcXml, xml},
      {"our .mrk", OutputFormat::kMrk, WriteFile(OutputFormat::kMrk, records)},
      {".mrk with LF line breaks and a byte order mark", OutputFormat::kMrk,
       "\xEF\xBB\xBF\n" + mrkLf + "\n\n"},
      {"an empty collection", OutputFormat::kMarcXml, "<collection xmlns=\"" + slim + "\"/>"},
  };
  for (const auto& f : files) {
    EXPECT_EQ(Rewrite(f.file, f.format), f.file) << f.name;
    EXPECT_TRUE(ReadAll(f.file).repairs.empty()) << f.name;
  }
}

TEST(MarcFiles, ReadingOurOwnRepairedOutputChangesNothing) {
  std::string file = WriteFile(OutputFormat::kIso2709, SampleRecords(4));
  file.replace(0, 5, "9x9x9");  // a damaged length
  file.insert(300, "\x1E");     // a terminator too many
  for (const OutputFormat format : kFormats) {
    const std::string once = Rewrite(file, format);
    const ReadBack again = ReadAll(once);
    EXPECT_TRUE(again.repairs.empty()) << OutputFormatName(format);
    EXPECT_EQ(Rewrite(once, format), once) << OutputFormatName(format);
  }
}

TEST(MarcFiles, FindsTheFormatFromTheContent) {
  const struct {
    std::string start;
    std::optional<OutputFormat> format;
  } cases[] = {
      {WriteFile(OutputFormat::kIso2709, SampleRecords(1)), OutputFormat::kIso2709},
      {"junk\n" + WriteFile(OutputFormat::kIso2709, SampleRecords(1)), OutputFormat::kIso2709},
      {"\xEF\xBB\xBF  <?xml version=\"1.0\"?><collection/>", OutputFormat::kMarcXml},
      {"\xFF\xFE<\0c\0", OutputFormat::kMarcXml},
      {"\r\n=LDR  00000nam\\a2200000\\\\\\4500\r\n", OutputFormat::kMrk},
      {"Title: Truyen Kieu\n", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectMarcFormat(c.start), c.format) << c.start.substr(0, 30);
  }
  const ReadBack text = ReadAll("Title: Truyen Kieu\n");
  ASSERT_EQ(text.errors.size(), 1u);
  EXPECT_EQ(text.errors[0].kind, ReadErrorKind::kNotMarc);
}

TEST(MarcFiles, SeveralInputsAreOneStreamOfRecords) {
  const std::vector<ExchangeRecord> records = SampleRecords(6);
  const std::vector<ExchangeRecord> first(records.begin(), records.begin() + 2),
      second(records.begin() + 2, records.begin() + 4), third(records.begin() + 4, records.end());
  const ReadBack back =
      ReadAll({WriteFile(OutputFormat::kMarcXml, first), "not marc",
               WriteFile(OutputFormat::kMrk, second), WriteFile(OutputFormat::kIso2709, third)});
  ASSERT_EQ(back.records.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(FieldsText(back.records[i]), FieldsText(records[i]));
    EXPECT_EQ(back.records[i].Origin().number, i + 1);
  }
  EXPECT_EQ(back.records[2].Origin().input, 2u);
  ASSERT_EQ(back.errors.size(), 1u);
  EXPECT_EQ(back.errors[0].input, 1u);
  EXPECT_FALSE(back.framing.reusable);
}

TEST(MrkReader, ReadsMnemonicsInTheRecordsCoding) {
  const struct {
    const char* name;
    std::string line;  // after «=245  10»
    char coding;       // leader/09
    std::string value;
    bool unknown;  // a name reported as unknown
  } cases[] = {
      {"the escaped specials", "$a{dollar}5 {lcub}x{rcub} a{bsol}b", 'a', "$5 {x} a\\b", false},
      {"a Vietnamese letter's marks in UTF-8", "$ao{ohorn}{acute}", 'a', "o\u01A1\u0301", false},
      {"the same in MARC-8", "$a{acute}{ohorn}", ' ', "\xE2\xBC", false},
      {"an alias", "$a{curren}{diaer}", ' ', "$\xE8", false},
      {"a control character's name", "$a{esc}(3{1C}", ' ', "\x1B(3\x1C", false},
      {"an unknown name, kept", "$a{nosuch} {", 'a', "{nosuch} {", true},
      {"a right half that UTF-8 has not", "$a{rlig}", 'a', "{rlig}", true},
  };
  for (const auto& c : cases) {
    std::string leader = "00000nam a2200000   4500";
    leader[9] = c.coding;
    for (char& ch : leader) ch = ch == ' ' ? '\\' : ch;
    const ReadBack back = ReadAll("=LDR  " + leader + "\r\n=245  10" + c.line + "\r\n");
    ASSERT_EQ(back.records.size(), 1u) << c.name;
    ASSERT_EQ(back.records[0].FieldCount(), 1u) << c.name;
    const std::vector<SubfieldView> subfields = Subfields(back.records[0].Field(0).content);
    ASSERT_EQ(subfields.size(), 1u) << c.name;
    EXPECT_EQ(subfields[0].value, c.value) << c.name;
    EXPECT_EQ(back.HasRepair(RepairKind::kUnknownMnemonic), c.unknown) << c.name;
    // Written again and read back: the same bytes.
    const std::string again =
        Rewrite(WriteFile(OutputFormat::kMrk, back.records), OutputFormat::kMrk);
    EXPECT_EQ(ReadAll(again).AllFields(), back.AllFields()) << c.name;
  }
}

TEST(MrkReader, RepairsItsLayout) {
  const struct {
    const char* name;
    std::string file;
    std::string fields;
    RepairKind repair;
  } cases[] = {
      {"a line that goes on the field before",
       "=LDR  00000nam\\a2200000\\\\\\4500\n=520  \\\\$aA long\nnote\n",
       "00000nam a2200000   4500\n520   $aA longnote\n\n", RepairKind::kLineJoined},
      {"no leader line", "=001  x\n", "00000nam a2200000   4500\n001 x\n\n",
       RepairKind::kLeaderMissing},
      {"one space after the tag", "=LDR  00000nam\\a2200000\\\\\\4500\n=245 10$aT\n",
       "00000nam a2200000   4500\n245 10$aT\n\n", RepairKind::kTagSpacingWrong},
      {"two records without an empty line",
       "=LDR  00000nam\\a2200000\\\\\\4500\n=001  a\n=LDR  00000nam\\a2200000\\\\\\4500\n=001  b\n",
       "00000nam a2200000   4500\n001 a\n\n00000nam a2200000   4500\n001 b\n\n",
       RepairKind::kRecordWithoutBreak},
      {"a line that is no field between records",
       "garbage\n=LDR  00000nam\\a2200000\\\\\\4500\n=001  a\n",
       "00000nam a2200000   4500\n001 a\n\n", RepairKind::kLineNotAField},
  };
  for (const auto& c : cases) {
    const ReadBack back = ReadAll(c.file);
    EXPECT_EQ(back.AllFields(), c.fields) << c.name;
    EXPECT_TRUE(back.HasRepair(c.repair)) << c.name;
  }
}

TEST(MrkMnemonics, TheTableReadsBackWhatItWrites) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string_view name = MrkByteName(static_cast<unsigned char>(byte));
    if (name.empty()) continue;
    const MrkMnemonic* mnemonic = FindMrkMnemonic(name);
    ASSERT_NE(mnemonic, nullptr) << name;
    EXPECT_EQ(mnemonic->marc8, byte) << name;
  }
  ASSERT_NE(FindMrkMnemonic("dstrok"), nullptr);
  EXPECT_EQ(FindMrkMnemonic("dstrok")->unicode, U'\u0111');
  EXPECT_EQ(FindMrkMnemonic("nosuch"), nullptr);
}

TEST(ExchangeRecord, ChangesOnlyWhenTheBytesDo) {
  ReadBack back = ReadAll(WriteFile(OutputFormat::kIso2709, SampleRecords(1)));
  ExchangeRecord& record = back.records.at(0);
  EXPECT_FALSE(record.Changed());
  record.SetSubfieldValue(4, 0, Subfields(record.Field(4).content)[0].value);
  record.SetLeaderByte(9, 'a');
  record.SetFieldContent(0, record.Field(0).content);
  EXPECT_FALSE(record.Changed());
  record.SetSubfieldValue(4, 1, "Nguy\u1EC5n Du");
  EXPECT_TRUE(record.Changed());
  EXPECT_EQ(Subfields(record.Field(4).content)[1].value, "Nguy\u1EC5n Du");
  EXPECT_EQ(Subfields(record.Field(4).content)[0].value,
            Subfields(SampleRecords(1)[0].Field(4).content)[0].value);
}

}  // namespace
}  // namespace velmora::marc_exchange::test
