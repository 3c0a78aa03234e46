// The exchange writers against bytes worked out by hand: leader, directory and
// lengths in bytes of UTF-8 (Vietnamese letters take two or three), escaping,
// the character rule, the ISO 2709 limits, and the streaming interface.
#include <gtest/gtest.h>

#include <sstream>

#include "MarcExchange/Iso2709Writer.h"
#include "MarcExchange/MarcXmlWriter.h"
#include "MarcExchange/MrkWriter.h"
#include "MarcExchange/RecordStream.h"
#include "support/PlatformLines.h"

namespace velmora::marc_exchange {
namespace {

const std::string kUs = "\x1F";  // subfield delimiter
const std::string kFt = "\x1E";  // field terminator
const std::string kRt = "\x1D";  // record terminator

MarcField Control(TextView tag, TextView data) {
  return {Text(tag), u' ', u' ', {}, Text(data)};
}
MarcField Data(TextView tag, char16_t ind1, char16_t ind2, std::vector<Subfield> subfields) {
  return {Text(tag), ind1, ind2, std::move(subfields), {}};
}

// 001 «VN-1»; 245 00 $a «Dế Mèn» $b «Sub»; 260 blank blank $a «Hà Nội».
//   001: "VN-1" FT                                  =  5 bytes, from 0
//   245: "00" US "a" D ế(3) " " M è(2) n US "bSub" FT = 19 bytes, from 5
//   260: "  " US "a" H à(2) " " N ộ(3) i FT          = 14 bytes, from 24
//   base address 24 + 3 * 12 + 1 = 61; record length 61 + 38 + 1 = 100
MarcRecord SampleRecord() {
  return {{Control(u"001", u"VN-1"),
           Data(u"245", u'0', u'0', {{u'a', u"D\u1EBF M\u00E8n"}, {u'b', u"Sub"}}),  // Dế Mèn
           Data(u"260", u' ', u' ', {{u'a', u"H\u00E0 N\u1ED9i"}})}};                // Hà Nội
}

std::string Write(RecordWriter& writer, const MarcRecord& record) {
  std::string out;
  const std::optional<WriteError> error = writer.Write(record, out);
  EXPECT_FALSE(error) << error->message;
  return out;
}

TEST(Iso2709Writer, CountsLengthsInBytesOfUtf8) {
  Iso2709Writer writer;
  // clang-format off
  const std::string expected = "00100nam a2200061   4500"
                               "001000500000" "245001900005" "260001400024" + kFt +
                               "VN-1" + kFt +
                               "00" + kUs + "aD\u1EBF M\u00E8n" + kUs + "bSub" + kFt +
                               "  " + kUs + "aH\u00E0 N\u1ED9i" + kFt + kRt;
  // clang-format on
  EXPECT_EQ(Write(writer, SampleRecord()), expected);
}

TEST(Iso2709Writer, CountsDecomposedLettersAndLettersBeyondTheBmp) {
  // ế decomposed: e, U+0302 (2 bytes), U+0301 (2 bytes); 𡨸 (a Nôm character,
  // a surrogate pair) 4 bytes: "00" US "a" + 5 + 4 + FT = 14; base 24+12+1 = 37.
  Iso2709Writer writer;
  const MarcRecord record{{Data(u"245", u'0', u'0', {{u'a', u"e\u0302\u0301\U00021A38"}})}};
  EXPECT_EQ(Write(writer, record), "00052nam a2200037   4500245001400000" + kFt + "00" + kUs +
                                       "ae\u0302\u0301\U00021A38" + kFt + kRt);
}

TEST(MarcXmlWriter, WritesASlimCollection) {
  MarcXmlWriter writer;
  std::string out;
  writer.Begin(out);
  ASSERT_FALSE(writer.Write(SampleRecord(), out));
  writer.End(out);
  EXPECT_EQ(out,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<collection xmlns=\"http://www.loc.gov/MARC21/slim\">\n"
            "  <record>\n"
            "    <leader>00100nam a2200061   4500</leader>\n"
            "    <controlfield tag=\"001\">VN-1</controlfield>\n"
            "    <datafield tag=\"245\" ind1=\"0\" ind2=\"0\">\n"
            "      <subfield code=\"a\">D\u1EBF M\u00E8n</subfield>\n"
            "      <subfield code=\"b\">Sub</subfield>\n"
            "    </datafield>\n"
            "    <datafield tag=\"260\" ind1=\" \" ind2=\" \">\n"
            "      <subfield code=\"a\">H\u00E0 N\u1ED9i</subfield>\n"
            "    </datafield>\n"
            "  </record>\n"
            "</collection>\n");
}

TEST(MrkWriter, WritesMnemonicLinesWithBackslashBlanks) {
  MrkWriter writer;
  EXPECT_EQ(Write(writer, SampleRecord()),
            "=LDR  00100nam\\a2200061\\\\\\4500\r\n"
            "=001  VN-1\r\n"
            "=245  00$aD\u1EBF M\u00E8n$bSub\r\n"
            "=260  \\\\$aH\u00E0 N\u1ED9i\r\n"
            "\r\n");
}

TEST(Writers, EscapeWhatEachFormatReserves) {
  const MarcRecord record{{Control(u"001", u"VN 1\\{x}"),
                           Data(u"500", u' ', u'1', {{u'a', u"a&b<c>d\"e'f{g}h$i\\j ]]> &amp;"}})}};
  std::string xml;
  ASSERT_FALSE(MarcXmlWriter().Write(record, xml));
  EXPECT_NE(xml.find("<controlfield tag=\"001\">VN 1\\{x}</controlfield>"), std::string::npos);
  EXPECT_NE(xml.find("<subfield code=\"a\">a&amp;b&lt;c&gt;d&quot;e'f{g}h$i\\j ]]&gt; "
                     "&amp;amp;</subfield>"),
            std::string::npos)
      << xml;
  std::string mrk;
  ASSERT_FALSE(MrkWriter().Write(record, mrk));
  EXPECT_NE(mrk.find("=001  VN\\1{bsol}{lcub}x{rcub}\r\n"), std::string::npos) << mrk;
  EXPECT_NE(mrk.find("=500  \\1$aa&b<c>d\"e'f{lcub}g{rcub}h{dollar}i{bsol}j ]]> &amp;\r\n"),
            std::string::npos)
      << mrk;
  std::string iso;
  ASSERT_FALSE(Iso2709Writer().Write(record, iso));
  EXPECT_NE(iso.find(kUs + "aa&b<c>d\"e'f{g}h$i\\j ]]> &amp;" + kFt), std::string::npos);
}

// A record built by hand (not through the parser) still never carries a
// delimiter, a control character or a lone surrogate into any format.
TEST(Writers, ApplyTheCharacterRuleToEveryValue) {
  const Text value{u'A', 0x01, u'B', u'\t', u'C', 0x1E, 0xD800, u'D', 0xFFFF, u'\r', u'\n'};
  const MarcRecord record{{Data(u"500", u' ', u' ', {{u'a', value}})}};
  const std::string safe = "A\uFFFDB C\uFFFD\uFFFDD\uFFFD  ";
  std::string iso, xml, mrk;
  ASSERT_FALSE(Iso2709Writer().Write(record, iso));
  ASSERT_FALSE(MarcXmlWriter().Write(record, xml));
  ASSERT_FALSE(MrkWriter().Write(record, mrk));
  EXPECT_NE(iso.find(kUs + "a" + safe + kFt + kRt), std::string::npos);
  EXPECT_EQ(std::stoul(iso.substr(0, 5)), iso.size());  // lengths count the replacements' bytes
  EXPECT_NE(xml.find(">" + safe + "</subfield>"), std::string::npos);
  EXPECT_NE(mrk.find("$a" + safe + "\r\n"), std::string::npos);
}

MarcRecord OneValue(std::size_t units, TextView unit) {
  Text value;
  for (std::size_t i = 0; i < units; ++i) value += unit;
  return {{Data(u"520", u' ', u' ', {{u'a', value}})}};
}

TEST(Writers, RefuseWhatIso2709CannotHoldAndAppendNothing) {
  // A data field is 2 + 2 + value + 1 bytes. 4000 ế are 4000 code units but
  // 12000 bytes: counting code units would pass them.
  const struct {
    MarcRecord record;
    std::optional<WriteErrorKind> error;
  } cases[] = {
      {OneValue(9994, u"x"), std::nullopt},  // 9999 bytes
      {OneValue(9995, u"x"), WriteErrorKind::kFieldTooLong},
      {OneValue(3331, u"\u1EBF"), std::nullopt},  // ế: 9993 + 5
      {OneValue(3332, u"\u1EBF"), WriteErrorKind::kFieldTooLong},
      {OneValue(4000, u"\u1EBF"), WriteErrorKind::kFieldTooLong},
      {OneValue(2498, u"\U00021A38"), std::nullopt},  // 9992 + 5
      {OneValue(2499, u"\U00021A38"), WriteErrorKind::kFieldTooLong},
      {MarcRecord{}, WriteErrorKind::kNoFields},
      {MarcRecord{{Data(u"24", u' ', u' ', {{u'a', u"x"}})}}, WriteErrorKind::kBadField},
      {MarcRecord{{Data(u"000", u' ', u' ', {{u'a', u"x"}})}}, WriteErrorKind::kBadField},
      {MarcRecord{{Data(u"24a", u' ', u' ', {{u'a', u"x"}})}}, WriteErrorKind::kBadField},
      {MarcRecord{{Data(u"245", u'#', u' ', {{u'a', u"x"}})}}, WriteErrorKind::kBadField},
      {MarcRecord{{Data(u"245", u' ', u'A', {{u'a', u"x"}})}}, WriteErrorKind::kBadField},
      {MarcRecord{{Data(u"245", u' ', u' ', {{u'$', u"x"}})}}, WriteErrorKind::kBadField},
      {MarcRecord{{Data(u"245", u' ', u' ', {{u'\u1EA1', u"x"}})}}, WriteErrorKind::kBadField},
      {MarcRecord{{Data(u"245", u' ', u' ', {})}}, WriteErrorKind::kBadField},
  };
  for (const auto& c : cases) {
    Iso2709Writer iso;
    MarcXmlWriter xml;
    MrkWriter mrk;
    for (RecordWriter* writer : std::initializer_list<RecordWriter*>{&iso, &xml, &mrk}) {
      std::string out = "before";
      const std::optional<WriteError> error = writer->Write(c.record, out);
      ASSERT_EQ(error.has_value(), c.error.has_value());
      if (error) {
        EXPECT_EQ(error->kind, *c.error) << error->message;
        EXPECT_EQ(out, "before");
      }
    }
  }
}

TEST(Writers, RecordLengthLimitIsExact) {
  // Nine fields of 9999 bytes and a tenth of L: 24 + 10 * 12 + 1 + 89991 + L + 1.
  for (const std::size_t tenth : {std::size_t{9862}, std::size_t{9863}}) {
    MarcRecord record;
    for (int i = 0; i < 9; ++i) record.fields.push_back(OneValue(9994, u"x").fields[0]);
    record.fields.push_back(OneValue(tenth - 5, u"x").fields[0]);
    std::string out;
    const std::optional<WriteError> error = Iso2709Writer().Write(record, out);
    if (tenth == 9862) {
      ASSERT_FALSE(error);
      EXPECT_EQ(out.size(), 99999u);
      EXPECT_EQ(out.substr(0, 24), "99999nam a2200145   4500");
      EXPECT_EQ(out.substr(24 + 9 * 12, 12), "520986289991");  // the tenth entry
    } else {
      ASSERT_TRUE(error);
      EXPECT_EQ(error->kind, WriteErrorKind::kRecordTooLong);
      EXPECT_EQ(error->message, "the record is 100000 bytes; ISO 2709 allows at most 99999");
    }
  }
}

constexpr CalendarDate kDateEntered{2025, 3, 14};

TEST(RecordStream, WritesEachFormatOneRecordAtATime) {
  const TextView first = u"245=00$aD\u1EBF M\u00E8n$bSub%001=VN-1%260=##$aH\u00E0 N\u1ED9i";
  // With its 008 (41 bytes) the sample record is 153 bytes, base address 73.
  const struct {
    OutputFormat format;
    std::string expected;
  } cases[] = {
      {OutputFormat::kRecord,
       velmora::test::PlatformLines(
           "245=00$aD\u1EBF M\u00E8n$bSub%001=VN-1%260=##$aH\u00E0 N\u1ED9i\n245=00$aX\n")},
      {OutputFormat::kIso2709, "00153nam a2200073   4500"},
      {OutputFormat::kMarcXml, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<collection"},
      {OutputFormat::kMrk,
       "=LDR  00153nam\\a2200073\\\\\\4500\r\n=001  VN-1\r\n=008  250314|||||||||vm\\|"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    RecordStream stream(c.format, out, kDateEntered);
    EXPECT_TRUE(stream.Add(first).written);
    const RecordStream::Outcome dropped = stream.Add(u"");
    EXPECT_FALSE(dropped.written);
    EXPECT_EQ(dropped.error.has_value(), c.format != OutputFormat::kRecord);
    EXPECT_TRUE(stream.Add(u"245=00$aX").written);
    EXPECT_TRUE(stream.Finish());
    EXPECT_EQ(stream.RecordsWritten(), 2u);
    EXPECT_EQ(out.str().substr(0, c.expected.size()), c.expected);
  }
}

TEST(RecordStream, KeepsTheOrderOfRepeatedTagsAndReportsWhatItSkipped) {
  std::ostringstream out;
  RecordStream stream(OutputFormat::kMrk, out, kDateEntered);
  const RecordStream::Outcome outcome = stream.Add(u"650=##$aA%245=00$aT%LDR%650=#$aB%650=##$aC");
  ASSERT_TRUE(stream.Finish());
  EXPECT_TRUE(outcome.written);
  ASSERT_EQ(outcome.issues.size(), 2u);
  EXPECT_EQ(outcome.issues[0].kind, ParseIssueKind::kNotAField);
  EXPECT_EQ(outcome.issues[1].kind, ParseIssueKind::kBadIndicators);
  EXPECT_NE(out.str().find("=245  00$aT\r\n=650  \\\\$aA\r\n=650  \\\\$aC\r\n\r\n"),
            std::string::npos)
      << out.str();

  std::ostringstream nothing;
  RecordStream allDropped(OutputFormat::kMarcXml, nothing, kDateEntered);
  EXPECT_FALSE(allDropped.Add(u"nam a22").written);
  EXPECT_TRUE(allDropped.Finish());
  EXPECT_EQ(nothing.str(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<collection xmlns=\"http://www.loc.gov/MARC21/slim\">\n</collection>\n");
}

// Numbered outputs kept in memory, each closed before the next opens.
class MemoryOutputs : public OutputSequence {
 public:
  std::vector<std::string> closed;
  std::ostream* OpenNext(std::string&) override {
    current_.str("");
    return &current_;
  }
  bool CloseCurrent(std::string&) override {
    closed.push_back(current_.str());
    return true;
  }

 private:
  std::ostringstream current_;
};

// Each record of «245=00$aN» is 24 + 2 * 12 + 1 + 41 + 6 + 1 = 97 bytes in
// ISO 2709 (with its 008), 95 in mnemonic lines, 252 in MARCXML, whose
// every output also carries 105 bytes of declaration and collection.
TEST(RecordStream, SplitsIntoOutputsOfWholeRecords) {
  const struct {
    OutputFormat format;
    std::size_t maxBytes;
    std::vector<std::size_t> recordsPerOutput;
  } cases[] = {
      {OutputFormat::kIso2709, 97 * 2, {2, 2, 1}},
      {OutputFormat::kIso2709, 97 * 2 - 1, {1, 1, 1, 1, 1}},
      {OutputFormat::kIso2709, 8192, {5}},
      {OutputFormat::kMrk, 200, {2, 2, 1}},
      {OutputFormat::kMarcXml, 105 + 252 * 2, {2, 2, 1}},
      {OutputFormat::kMarcXml, 105 + 252 * 2 - 1, {1, 1, 1, 1, 1}},
  };
  for (const auto& c : cases) {
    MemoryOutputs outputs;
    RecordStream stream(c.format, outputs, c.maxBytes, kDateEntered);
    for (char16_t n = u'1'; n <= u'5'; ++n) {
      const RecordStream::Outcome outcome = stream.Add(Text(u"245=00$a") + n);
      EXPECT_TRUE(outcome.written);
      EXPECT_FALSE(outcome.oversized);
    }
    ASSERT_TRUE(stream.Finish());
    ASSERT_EQ(outputs.closed.size(), c.recordsPerOutput.size()) << c.maxBytes;
    EXPECT_EQ(stream.OutputsOpened(), c.recordsPerOutput.size());
    for (std::size_t i = 0; i < outputs.closed.size(); ++i) {
      const std::string& output = outputs.closed[i];
      EXPECT_LE(output.size(), c.maxBytes) << i;
      std::size_t records = 0;
      for (std::size_t at = output.find("a2200"); at != std::string::npos;
           at = output.find("a2200", at + 1)) {
        ++records;
      }
      EXPECT_EQ(records, c.recordsPerOutput[i]) << c.maxBytes << " output " << i;
      if (c.format == OutputFormat::kMarcXml) {
        EXPECT_TRUE(output.starts_with("<?xml"));
        EXPECT_TRUE(output.ends_with("</collection>\n"));
      }
    }
  }
}

TEST(RecordStream, ARecordLargerThanAnOutputStandsAlone) {
  MemoryOutputs outputs;
  RecordStream stream(OutputFormat::kIso2709, outputs, 150, kDateEntered);
  EXPECT_FALSE(stream.Add(u"245=00$aA").oversized);
  const RecordStream::Outcome big = stream.Add(u"245=00$a" + Text(100, u'B'));
  EXPECT_TRUE(big.written);
  EXPECT_TRUE(big.oversized);
  EXPECT_FALSE(stream.Add(u"245=00$aC").oversized);
  ASSERT_TRUE(stream.Finish());
  ASSERT_EQ(outputs.closed.size(), 3u);
  EXPECT_EQ(outputs.closed[1].size(), 196u);

  MemoryOutputs none;
  RecordStream empty(OutputFormat::kMarcXml, none, 150, kDateEntered);
  ASSERT_TRUE(empty.Finish());
  ASSERT_EQ(none.closed.size(), 1u);  // an empty collection, so the output exists
  EXPECT_TRUE(none.closed[0].ends_with("</collection>\n"));
}

TEST(OutputFormat, NamesMatchTheCommandLine) {
  EXPECT_EQ(FindOutputFormat("record"), OutputFormat::kRecord);
  EXPECT_EQ(FindOutputFormat("iso2709"), OutputFormat::kIso2709);
  EXPECT_EQ(FindOutputFormat("marcxml"), OutputFormat::kMarcXml);
  EXPECT_EQ(FindOutputFormat("mrk"), OutputFormat::kMrk);
  EXPECT_EQ(FindOutputFormat("MRK"), std::nullopt);
  EXPECT_EQ(FindOutputFormat(""), std::nullopt);
}

}  // namespace
}  // namespace velmora::marc_exchange
