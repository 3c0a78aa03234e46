// MARCXML as other tools write it, each shape a row with the fields it must
// give; what is not well-formed, each rule a row with its line and column.
#include <gtest/gtest.h>

#include <ostream>

#include "MarcExchange/MarcXmlReader.h"
#include "MarcExchange/MarcXmlWriter.h"
#include "MarcTestRecords.h"

namespace velmora::marc_exchange::test {
namespace {

const std::string kSlim = "http://www.loc.gov/MARC21/slim";
// The fields of every row: leader, 001, 245 10 $a «Dế Mèn» $b «Sub».
const std::string kExpected =
    "01234nam a2200123   4500\n001 VN-1\n245 10$aD\u1EBF M\u00E8n$bSub\n\n";

struct Shape {
  const char* name;
  std::string xml;
};

const Shape kShapes[] = {
    {"a collection in the default namespace",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<collection xmlns=\"" + kSlim +
         "\">\n<record><leader>01234nam a2200123   4500</leader>"
         "<controlfield tag=\"001\">VN-1</controlfield>"
         "<datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield code=\"a\">D\u1EBF M\u00E8n"
         "</subfield><subfield code=\"b\">Sub</subfield></datafield></record>\n</collection>\n"},
    {"the marc prefix, attributes in another order and quoting",
     "<marc:collection xmlns:marc='" + kSlim +
         "'><marc:record><marc:leader>01234nam a2200123   4500</marc:leader>"
         "<marc:controlfield tag='001'>VN-1</marc:controlfield>"
         "<marc:datafield ind2='0' tag=\"245\" ind1 = '1' ><marc:subfield code='a'>D\u1EBF "
         "M\u00E8n</marc:subfield><marc:subfield code=\"b\">Sub</marc:subfield></marc:datafield>"
         "</marc:record></marc:collection>"},
    {"no namespace at all, a single record as the root",
     "<record><leader>01234nam a2200123   4500</leader><controlfield tag=\"001\">VN-1"
     "</controlfield><datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield code=\"a\">D\u1EBF "
     "M\u00E8n</subfield><subfield code=\"b\">Sub</subfield></datafield></record>"},
    {"character references, the five entities, CDATA, comments and instructions",
     "<?xml version='1.0'?><!-- exported --><?app x?><collection xmlns=\"" + kSlim +
         "\"><record><leader>01234nam a2200123   4500</leader><!-- c --><controlfield "
         "tag=\"001\">V&#78;-&#x31;</controlfield><datafield tag=\"245\" ind1=\"1\" "
         "ind2=\"0\"><subfield code=\"a\">D&#x1EBF; <![CDATA[M\u00E8n]]></subfield><?p?><subfield "
         "code=\"b\">S&#117;b</subfield></datafield></record></collection>"},
    {"records inside a harvesting wrapper",
     "<OAI-PMH xmlns=\"http://www.openarchives.org/OAI/2.0/\"><ListRecords><record><header/>"
     "<metadata><m:record xmlns:m=\"" +
         kSlim +
         "\"><m:leader>01234nam a2200123   4500</m:leader><m:controlfield tag=\"001\">VN-1"
         "</m:controlfield><m:datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><m:subfield "
         "code=\"a\">D\u1EBF M\u00E8n</m:subfield><m:subfield code=\"b\">Sub</m:subfield>"
         "</m:datafield></m:record></metadata></record></ListRecords></OAI-PMH>"},
};

// GoogleTest would otherwise print the case's bytes, unused buffers among them.
void PrintTo(const Shape& c, std::ostream* out) {
  *out << c.name;
}

class MarcXmlShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(MarcXmlShapes, GiveTheSameFields) {
  const ReadBack back = ReadAll(GetParam().xml);
  EXPECT_TRUE(back.errors.empty()) << GetParam().name << ": " << back.errors.front().detail;
  EXPECT_EQ(back.AllFields(), kExpected) << GetParam().name;
  // And in pieces of three bytes, as a slow pipe gives them.
  EXPECT_EQ(ReadAll(GetParam().xml, 3).AllFields(), kExpected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(AsWritten, MarcXmlShapes, ::testing::ValuesIn(kShapes));

std::string Utf16(std::string_view utf8, bool little) {
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 1;
    if (cp >= 0xF0) {
      cp &= 0x07, length = 4;
    } else if (cp >= 0xE0) {
      cp &= 0x0F, length = 3;
    } else if (cp >= 0xC0) {
      cp &= 0x1F, length = 2;
    }
    for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
    i += length;
    std::vector<char16_t> units;
    if (cp >= 0x10000) {
      units = {char16_t(0xD800 + ((cp - 0x10000) >> 10)),
               char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF))};
    } else {
      units = {char16_t(cp)};
    }
    for (const char16_t unit : units) {
      const char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
      out += little ? lo : hi;
      out += little ? hi : lo;
    }
  }
  return out;
}

TEST(MarcXmlReader, ReadsUtf16AndLatin1Files) {
  const std::string utf8 = kShapes[0].xml;
  std::string utf16 = utf8;
  utf16.replace(utf16.find("UTF-8"), 5, "UTF-16");
  for (const bool little : {true, false}) {
    const ReadBack back = ReadAll(Utf16(utf16, little));
    EXPECT_TRUE(back.errors.empty());
    EXPECT_EQ(back.AllFields(), kExpected);
    EXPECT_FALSE(back.framing.reusable);  // written again in UTF-8
  }
  const std::string latin1 =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><record><leader>01234nam a2200123   4500"
      "</leader><datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield code=\"a\">M\xE8n"
      "</subfield></datafield></record>";
  EXPECT_EQ(ReadAll(latin1).AllFields(), "01234nam a2200123   4500\n245 10$aM\u00E8n\n\n");
}

TEST(MarcXmlReader, RepairsWhatItCanAndHandsBackWhatItCannot) {
  const std::string head = "<collection xmlns=\"" + kSlim + "\">";
  const struct {
    const char* name;
    std::string record;
    std::string fields;  // empty: handed back
    RepairKind repair;
  } cases[] = {
      {"indicators missing",
       "<record><leader>01234nam a2200123   4500</leader><datafield tag=\"245\"><subfield "
       "code=\"a\">T</subfield></datafield></record>",
       "01234nam a2200123   4500\n245   $aT\n\n", RepairKind::kIndicatorMissing},
      {"no leader", "<record><controlfield tag=\"001\">1</controlfield></record>",
       "00000nam a2200000   4500\n001 1\n\n", RepairKind::kLeaderMissing},
      {"a pretty-printed leader",
       "<record><leader>\n  01234nam a2200123   4500\n  </leader></record>",
       "01234nam a2200123   4500\n\n", RepairKind::kLeaderLengthWrong},
      {"an element of another vocabulary",
       "<record><leader>01234nam a2200123   4500</leader><note>x</note></record>",
       "01234nam a2200123   4500\n\n", RepairKind::kUnknownElementSkipped},
      {"text between fields", "<record><leader>01234nam a2200123   4500</leader>stray</record>",
       "01234nam a2200123   4500\n\n", RepairKind::kStrayTextSkipped},
      {"a tag of two digits",
       "<record><leader>01234nam a2200123   4500</leader><datafield tag=\"24\" ind1=\"1\" "
       "ind2=\"0\"/></record>",
       "", RepairKind::kGarbageSkipped},
      {"a subfield code of two letters",
       "<record><leader>01234nam a2200123   4500</leader><datafield tag=\"245\" ind1=\"1\" "
       "ind2=\"0\"><subfield code=\"ab\">T</subfield></datafield></record>",
       "", RepairKind::kGarbageSkipped},
  };
  for (const auto& c : cases) {
    const ReadBack back = ReadAll(head + c.record + "</collection>");
    EXPECT_TRUE(back.errors.empty()) << c.name;
    if (c.fields.empty()) {
      ASSERT_EQ(back.rejected.size(), 1u) << c.name;
      EXPECT_EQ(back.rejected[0].bytes, c.record) << c.name;
      EXPECT_EQ(back.rejected[0].offset, head.size()) << c.name;
      continue;
    }
    EXPECT_EQ(back.AllFields(), c.fields) << c.name;
    EXPECT_TRUE(back.HasRepair(c.repair)) << c.name;
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_TRUE(back.records[0].Changed()) << c.name;
  }
}

TEST(MarcXmlReader, RefusesWhatIsNotWellFormedWithItsLineAndColumn) {
  const struct {
    const char* name;
    std::string xml;
    ReadErrorKind kind;
    std::size_t line, column;
  } cases[] = {
      {"a DOCTYPE", "<?xml version=\"1.0\"?>\n<!DOCTYPE c [<!ENTITY a \"b\">]>\n<collection/>",
       ReadErrorKind::kXmlDoctype, 2, 1},
      {"an entity beyond the five", "<collection>\n  <record>&nbsp;</record></collection>",
       ReadErrorKind::kXmlNotWellFormed, 2, 11},
      {"end tag mismatch", "<collection><record>\n</collection>", ReadErrorKind::kXmlNotWellFormed,
       2, 1},
      {"'<' in an attribute", "<collection a=\"<\"/>", ReadErrorKind::kXmlNotWellFormed, 1, 16},
      {"bytes that are not UTF-8", "<collection>\n\n ab\xC3(</collection>",
       ReadErrorKind::kXmlNotWellFormed, 3, 4},
      {"a control character by reference", "<collection>&#1;</collection>",
       ReadErrorKind::kXmlNotWellFormed, 1, 13},
      {"an undeclared prefix", "<marc:collection/>", ReadErrorKind::kXmlNamespace, 1, 1},
      {"a second root", "<collection/><collection/>", ReadErrorKind::kXmlNotWellFormed, 1, 14},
      {"the file ends inside the root", "<collection><record>", ReadErrorKind::kXmlNotWellFormed, 1,
       21},
      {"an encoding not read", "<?xml version=\"1.0\" encoding=\"windows-1258\"?><collection/>",
       ReadErrorKind::kXmlEncoding, 1, 1},
      {"deep nesting", std::string(300 * 3, ' ').replace(0, 900, 900 / 3, 'x'),
       ReadErrorKind::kXmlTooDeep, 1, 1},
      {"not MARC", "<html><body/></html>", ReadErrorKind::kNoMarcXmlRecords, 1, 1},
      {"more attributes than the bound", "", ReadErrorKind::kXmlTooLarge, 1, 1},
  };
  for (const auto& c : cases) {
    std::string xml = c.xml;
    if (c.kind == ReadErrorKind::kXmlTooDeep) {
      xml.clear();
      for (int i = 0; i < 300; ++i) xml += "<a>";
    }
    if (c.kind == ReadErrorKind::kXmlTooLarge) {
      xml = "<collection";
      for (int i = 0; i < 300; ++i) xml += " a" + std::to_string(i) + "=\"1\"";
      xml += "/>";
    }
    const ReadBack back = ReadAll(xml);
    ASSERT_EQ(back.errors.size(), 1u) << c.name;
    EXPECT_EQ(back.errors[0].kind, c.kind) << c.name << ": " << back.errors[0].detail;
    if (c.kind != ReadErrorKind::kXmlTooDeep && c.kind != ReadErrorKind::kXmlTooLarge) {
      EXPECT_EQ(back.errors[0].line, c.line) << c.name << ": " << back.errors[0].detail;
      EXPECT_EQ(back.errors[0].column, c.column) << c.name << ": " << back.errors[0].detail;
    }
  }
}

// A record changed in a file read keeps its neighbours as they stood and
// lands in the same namespace: the prefix of the file's own records is
// declared on the collection, so the written record declares its own.
TEST(MarcXmlReader, WritesAChangedRecordInTheFilesFraming) {
  const std::string xml = kShapes[1].xml;
  StringByteSource source(xml);
  MarcInput input;
  input.Add(source);
  ReadItem item;
  ASSERT_TRUE(input.Next(item));
  item.record.SetSubfieldValue(1, 1, "Other");
  MarcXmlWriter writer;
  std::string out;
  ASSERT_TRUE(writer.BeginInFraming(input.FramingSoFar(), out));
  ASSERT_FALSE(writer.Write(item.record, out));
  EXPECT_FALSE(input.Next(item));
  writer.EndInFraming(input.Framing(), out);
  EXPECT_NE(out.find("<record xmlns=\"" + kSlim + "\">"), std::string::npos) << out;
  std::string expected = kExpected;
  expected.replace(expected.find("$bSub"), 5, "$bOther");
  EXPECT_EQ(ReadAll(out).AllFields(), expected);
}

}  // namespace
}  // namespace velmora::marc_exchange::test
