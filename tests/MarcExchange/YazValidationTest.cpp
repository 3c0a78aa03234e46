// Our ISO 2709 and MARCXML read back by an independent implementation: yaz
// (yaz-marcdump) renders both as the same lines that the record model gives,
// re-serialises both to exactly our ISO 2709 bytes (it computes leader,
// directory and lengths itself), and xmllint accepts the MARCXML.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "Encodings/Utf8.h"
#include "MarcExchange/Iso2709Writer.h"
#include "MarcExchange/MarcXmlWriter.h"
#include "MarcExchange/RecordStream.h"
#include "MarcExchange/SourceIndicators.h"
#include "ModMain/Records/CatalogRecord.h"
#include "ModMain/Records/Sources.h"
#include "ModMain/Text/LineBreaks.h"
#include "support/Files.h"
#include "support/TextPrinting.h"

namespace velmora::marc_exchange {
namespace {

namespace fs = std::filesystem;

bool HaveTool(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

using velmora::test::ReadFile;

Text ReadExample(const char* name) {
  const std::string bytes = ReadFile(fs::path(VELMORA_EXAMPLES) / name);
  std::optional<Text> text = encodings::DecodeUtf8(bytes, nullptr);
  EXPECT_TRUE(text.has_value()) << name;
  return text.value_or(Text());
}

struct ToolRun {
  int exitCode;
  std::string out, err;
};

class Yaz : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"yaz-marcdump", "xmllint"}) {
      if (!HaveTool(tool)) {
        GTEST_SKIP() << tool << " is not installed (Debian packages yaz, libxml2-utils)";
      }
    }
    dir_ = fs::temp_directory_path() /
           ("velmora-yaz-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string Quoted(const fs::path& path) {
    std::string quoted = "'";
    quoted += path.string();
    quoted += '\'';
    return quoted;
  }

  ToolRun Run(const std::string& command) {
    const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
    const int status =
        std::system((command + " >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  }

  // Both our files through yaz and xmllint; `expectedLines` is what yaz's
  // line format must show for them, complaint-free.
  void ExpectYazReadsBack(const std::string& iso, const std::string& xml,
                          const std::string& expectedLines) {
    const fs::path isoPath = Write("records.mrc", iso), xmlPath = Write("records.xml", xml);
    const std::string isoArg = Quoted(isoPath), xmlArg = Quoted(xmlPath);
    const struct {
      std::string command, expected;
    } runs[] = {
        {"yaz-marcdump -i marc -o line " + isoArg, expectedLines},
        {"yaz-marcdump -i marcxml -o line " + xmlArg, expectedLines},
        {"yaz-marcdump -i marc -o marc " + isoArg, iso},
        {"yaz-marcdump -i marcxml -o marc " + xmlArg, iso},
        {"xmllint --noout " + xmlArg, ""},
    };
    for (const auto& run : runs) {
      const ToolRun result = Run(run.command);
      EXPECT_EQ(result.exitCode, 0) << run.command;
      EXPECT_EQ(result.err, "") << run.command;
      if (result.out != run.expected) {
        const std::size_t at =
            static_cast<std::size_t>(std::mismatch(result.out.begin(), result.out.end(),
                                                   run.expected.begin(), run.expected.end())
                                         .first -
                                     result.out.begin());
        ADD_FAILURE() << run.command << ": output differs at byte " << at
                      << "\n  got:      " << result.out.substr(at > 80 ? at - 80 : 0, 200)
                      << "\n  expected: " << run.expected.substr(at > 80 ? at - 80 : 0, 200);
      }
    }
  }

  fs::path dir_;
};

// yaz's line rendering of a record, made from the model (and the leader our
// layout gives it): «245 00 $a Dế Mèn $b Sub», «001 VN-1», a blank after each.
std::string YazLines(const MarcRecord& record) {
  RecordLayout layout;
  EXPECT_FALSE(LayOutRecord(record, layout));
  std::string out = layout.leader + "\n";
  for (const MarcField& field : record.fields) {
    out += encodings::EncodeUtf8(field.tag);
    if (field.IsControlField()) {
      out += ' ';
      out += encodings::EncodeUtf8(field.data);
      out += '\n';
      continue;
    }
    out += " ";
    out += static_cast<char>(field.ind1);
    out += static_cast<char>(field.ind2);
    for (const Subfield& subfield : field.subfields) {
      out += " $";
      out += static_cast<char>(subfield.code);
      out += ' ';
      out += encodings::EncodeUtf8(subfield.value);
    }
    out += "\n";
  }
  return out + "\n";
}

// Output records like the sample's: its own fields, its Vietnamese words
// shuffled into new titles, subjects and summaries, with the rarer shapes
// mixed in: control fields, empty subfields, XML-special and mnemonic
// characters, decomposed letters, Nôm characters beyond the BMP, and fields
// close to ISO 2709's 9999 bytes.
class RecordGenerator {
 public:
  explicit RecordGenerator(TextView sample) : sample_(sample) {
    for (const MarcField& field : ParseOutputRecord(sample).record.fields) {
      for (const Subfield& subfield : field.subfields) {
        for (std::size_t start = 0; start < subfield.value.size();) {
          std::size_t stop = subfield.value.find(u' ', start);
          if (stop == Text::npos) stop = subfield.value.size();
          if (stop > start) words_.emplace_back(subfield.value.substr(start, stop - start));
          start = stop + 1;
        }
      }
    }
  }

  Text Next() {
    const int n = count_++;
    if (n == 0) return Text(sample_);
    Text r;
    Append(r, {u"245=00$a", Words(2, 8), u" ", Number(n), u" /$c", Words(2, 4)});
    if (Chance(4)) Append(r, {u"%001=VN-LIBOL-", Number(n)});
    if (Chance(2))
      Append(r, {u"%020=##$a978-604-", Number(n), u"$c", Number(n * 7), u"\u0111"});  // đ
    Append(r, {u"%041=##$avie%082=##$a895.922", Number(n % 10), u"$bT", Number(n % 1000)});
    Append(r, {u"%100=##$a", Words(2, 3), u","});
    if (Chance(5)) {
      Append(r, {u"%260=##$a$b", Words(1, 3)});  // the rebuild's empty "$a"
    } else {
      Append(r, {u"%260=##$a", Words(1, 2), u"$b", Words(1, 3), u"$c20", Number(n % 25)});
    }
    Append(r, {u"%300=##$a", Number(n % 900 + 20), u" tr.$c21 cm"});
    if (Chance(3)) Append(r, {u"%500=##$aA & B < C > D \"E\" 'F' {G} \\H ]]>"});
    // ế and đồng decomposed, and 𡨸, a Nôm character beyond the BMP
    if (Chance(6))
      Append(r, {u"%520=##$ae\u0302\u0301 \u0111o\u0302\u0300ng \U00021A38 ", Words(5, 30)});
    if (Chance(50)) Append(r, {u"%520=##$a", Long(9990)});
    for (int i = 0, count = Between(0, 5); i < count; ++i) Append(r, {u"%650=##$a", Words(1, 4)});
    for (int i = 0, count = Between(0, 4); i < count; ++i) Append(r, {u"%700=##$a", Words(2, 3)});
    return r;
  }

 private:
  static void Append(Text& record, std::initializer_list<TextView> pieces) {
    for (TextView piece : pieces) record += piece;
  }
  bool Chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(random_) == 1; }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  static Text Number(int n) {
    const std::string digits = std::to_string(n);
    return Text(digits.begin(), digits.end());
  }
  Text Words(int low, int high) {
    Text out;
    for (int i = 0, count = Between(low, high); i < count; ++i) {
      if (i > 0) out += u' ';
      out += words_[static_cast<std::size_t>(Between(0, static_cast<int>(words_.size()) - 1))];
    }
    return out;
  }
  // Words up to `bytes` bytes of UTF-8 (a field of 5 more bytes stays legal).
  Text Long(std::size_t bytes) {
    Text out;
    std::size_t size = 0;
    while (true) {
      Text word = Words(1, 1);
      word += u' ';
      const std::size_t wordBytes = encodings::EncodeUtf8(word).size();
      if (size + wordBytes > bytes - 5) break;
      out += word;
      size += wordBytes;
    }
    return out;
  }

  Text sample_;
  std::vector<Text> words_;
  std::mt19937 random_{7};
  int count_ = 0;
};

TEST_F(Yaz, ReadsBackAThousandGeneratedRecords) {
  const Text sample = ReadExample("libol.expected.txt");
  RecordGenerator generator(text::TrimSpaces(text::Replace(sample, u"\n", u"")));
  Iso2709Writer iso;
  MarcXmlWriter xml;
  std::string isoBytes, xmlBytes, lines;
  xml.Begin(xmlBytes);
  for (int i = 0; i < 1000; ++i) {
    const Text outputRecord = generator.Next();
    const ParseResult parsed = ParseOutputRecord(outputRecord);
    ASSERT_TRUE(parsed.issues.empty()) << test::Readable(outputRecord);
    ASSERT_FALSE(iso.Write(parsed.record, isoBytes)) << test::Readable(outputRecord);
    ASSERT_FALSE(xml.Write(parsed.record, xmlBytes));
    lines += YazLines(parsed.record);
  }
  xml.End(xmlBytes);
  ExpectYazReadsBack(isoBytes, xmlBytes, lines);
}

// The way the command line goes: the copied Libol sample converted, then
// streamed in each format with the source's indicators, its 008 and its
// fields in tag order.
TEST_F(Yaz, ShowsTheConvertedLibolSampleWithItsVietnameseText) {
  const records::SourceSystem& libol = records::SourceOf(records::SourceId::Libol);
  const Text working =
      records::WorkingText(libol, text::NormaliseLineBreaks(ReadExample("libol.txt")));
  const records::TracedRecord traced = libol.rebuild.traced(working);
  constexpr CalendarDate kDateEntered{2025, 3, 14};
  std::ostringstream iso, xml;
  for (auto [format, out] :
       {std::pair{OutputFormat::kIso2709, &iso}, std::pair{OutputFormat::kMarcXml, &xml}}) {
    RecordStream stream(format, *out, kDateEntered);
    const RecordStream::Outcome outcome = stream.Add(traced.record, {working, traced.origins});
    ASSERT_TRUE(outcome.written);
    EXPECT_TRUE(outcome.issues.empty());
    ASSERT_TRUE(stream.Finish());
  }
  ParseResult parsed = ParseOutputRecord(traced.record);
  ApplySourceIndicators(parsed, working, traced.origins);
  CompleteForExchange(parsed.record, kDateEntered);
  const std::string lines = YazLines(parsed.record);
  EXPECT_NE(lines.find("\n008 250314s2019||||vm |||||||||||||||||vie||\n020    $a"),
            std::string::npos)
      << lines;
  // 245 10 $a Dế Mèn phiêu lưu ký / $c Tô Hoài ; minh hoạ: Tạ Huy Long
  EXPECT_NE(lines.find("\n245 10 $a D\u1EBF M\u00E8n phi\u00EAu l\u01B0u k\u00FD / $c T\u00F4 "
                       "Ho\u00E0i ; minh ho\u1EA1: T\u1EA1 Huy Long\n"),
            std::string::npos)
      << lines;
  EXPECT_NE(
      lines.find(
          "\n260    $a H\u00E0 N\u1ED9i $b Kim \u0110\u1ED3ng $c 2019\n"),  // Hà Nội, Kim Đồng
      std::string::npos)
      << lines;
  ExpectYazReadsBack(iso.str(), xml.str(), lines);
}

}  // namespace
}  // namespace velmora::marc_exchange
