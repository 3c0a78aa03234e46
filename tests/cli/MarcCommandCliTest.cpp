// velmora-convert marc end to end: formats in and out, the report and
// --check's exit status, the rejects, MARC-8 with and without -c, --from,
// threads, several and missing files, and the output read back by yaz.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DamagedCatalogue.h"
#include "Encodings/Normalization.h"
#ifdef VELMORA_HAVE_TOOLS
#include "Encodings/ToolOutput.h"
#endif
#include "Encodings/Utf8.h"
#include "MarcExchange/MarcTestRecords.h"
#include "support/CliFixture.h"
#include "support/WrittenText.h"

namespace velmora::test {
namespace {

using marc_exchange::ExchangeRecord;
using marc_exchange::OutputFormat;
using marc_exchange::test::SampleRecords;
using marc_exchange::test::WriteFile;

using MarcCommandCli = CliTest;

std::string Tcvn3(TextView text) {
  return WrittenAs(Written::Tcvn3, text);
}

// The records with every field written in TCVN3, under a leader that says UTF-8.
std::vector<ExchangeRecord> InTcvn3(std::vector<ExchangeRecord> records) {
  for (ExchangeRecord& record : records) {
    for (std::size_t i = 0; i < record.FieldCount(); ++i) {
      record.SetFieldContent(i, Tcvn3(*encodings::DecodeUtf8(record.Field(i).content, nullptr)));
    }
  }
  return records;
}

// UTF-8 in NFC, as yaz's MARC-8 reading (decomposed) compares with ours.
[[maybe_unused]] std::string Composed(const std::string& utf8) {
  const std::optional<Text> text = encodings::DecodeUtf8(utf8, nullptr);
  return text ? encodings::EncodeUtf8(encodings::ToNfc(*text)) : utf8;
}

std::string Quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

constexpr struct {
  OutputFormat format;
  const char* name;
} kFormats[] = {{OutputFormat::kIso2709, "iso2709"},
                {OutputFormat::kMarcXml, "marcxml"},
                {OutputFormat::kMrk, "mrk"}};

TEST_F(MarcCommandCli, ReadsEveryFormatAndWritesEveryFormat) {
  const std::vector<ExchangeRecord> records = SampleRecords(5);
  for (const auto& from : kFormats) {
    const std::string clean = WriteFile(from.format, records);
    const std::string file = Quoted(Write(std::string("clean.") + from.name, clean));
    const RunResult same = Run("marc " + file);
    EXPECT_EQ(same.exitCode, 0) << from.name << ": " << same.err;
    EXPECT_EQ(same.out, clean) << from.name;  // as it came, byte for byte
    for (const auto& to : kFormats) {
      const RunResult result = Run(std::string("marc --format ") + to.name + " " + file);
      EXPECT_EQ(result.exitCode, 0) << from.name << " -> " << to.name << ": " << result.err;
      EXPECT_EQ(result.out, WriteFile(to.format, records)) << from.name << " -> " << to.name;
    }
  }
  // Standard input too, and a record repaired on the way.
  const RunResult piped = Run("marc", WriteFile(OutputFormat::kIso2709, InTcvn3(records)));
  EXPECT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_EQ(piped.out, WriteFile(OutputFormat::kIso2709, records));
}

TEST_F(MarcCommandCli, ChecksWithoutWritingAndSaysSoInTheExitStatus) {
  const std::string clean = WriteFile(OutputFormat::kIso2709, SampleRecords(3));
  const RunResult good = Run("marc --check " + Quoted(Write("good.mrc", clean)));
  EXPECT_EQ(good.exitCode, 0) << good.err;
  EXPECT_EQ(good.out, "");
  EXPECT_EQ(good.err, "3 records: 3 clean, 0 changed, 0 with problems, 0 with warnings\n");

  std::vector<ExchangeRecord> records = SampleRecords(3);
  records[1].SetLeaderByte(9, ' ');  // UTF-8 under a leader that says MARC-8
  const std::string path = Quoted(Write("flipped.mrc", WriteFile(OutputFormat::kIso2709, records)));
  const RunResult flipped = Run("marc --check " + path);
  EXPECT_EQ(flipped.exitCode, 1);
  EXPECT_EQ(flipped.out, "");
  EXPECT_NE(flipped.err.find("record 2, 001 VN-1001: leader/09 said MARC-8, bytes are UTF-8: "
                             "leader fixed\n"),
            std::string::npos)
      << flipped.err;
  EXPECT_NE(flipped.err.find("  leader-coding-fixed: 1 ("), std::string::npos) << flipped.err;
  // Repaired, the same record is written fixed and the run succeeds.
  const RunResult repaired = Run("marc " + path);
  EXPECT_EQ(repaired.exitCode, 0) << repaired.err;
  EXPECT_EQ(repaired.out, clean);

  // A warning alone needs no change: the exit status stays 0.
  records = SampleRecords(1);
  records[0].AddField("041",
                      "0 \x1F"
                      "aeng");
  const RunResult warned = Run("marc --check", WriteFile(OutputFormat::kIso2709, records));
  EXPECT_EQ(warned.exitCode, 0) << warned.err;
  EXPECT_NE(warned.err.find("008/35-37 is 'vie' but 041 $a is 'eng'"), std::string::npos)
      << warned.err;
}

TEST_F(MarcCommandCli, KeepsWhatCannotBeReadInTheRejects) {
  const std::string clean = WriteFile(OutputFormat::kIso2709, SampleRecords(2));
  const std::size_t second = std::stoul(clean.substr(0, 5));
  std::string damaged = clean;
  damaged.insert(second, "junk\x1Emore\x1D");
  const std::filesystem::path rejects = dir_ / "rejects.mrc";
  const RunResult result = Run("marc --rejects " + Quoted(rejects), damaged);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, clean);
  EXPECT_EQ(ReadFile(rejects), "junk\x1Emore\x1D");
  EXPECT_NE(result.err.find("record 2: could not be read at byte offset " + std::to_string(second)),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find(rejects.string()), std::string::npos) << result.err;
  // Without --rejects the report says how to keep it.
  EXPECT_NE(Run("marc", damaged).err.find("--rejects FILE"), std::string::npos);
}

TEST_F(MarcCommandCli, WritesMarc8OrNamesWhatItCannotHold) {
  std::vector<ExchangeRecord> records = SampleRecords(2);
  records[1].AddField("500",
                      "  \x1F"
                      "aVi\xE1\xBB\x87t \xF0\x9F\x98\x80!");  // an emoji
  const std::string input = WriteFile(OutputFormat::kIso2709, records);
  const RunResult refused = Run("marc --to marc-8", input);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("record 2, 001 VN-1001: "), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("500 $a: U+1F600"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("-c"), std::string::npos) << refused.err;
  const RunResult leftOut = Run("marc --to marc-8 -c", input);
  EXPECT_EQ(leftOut.exitCode, 0) << leftOut.err;
  EXPECT_NE(leftOut.err.find("500 $a: 1 character MARC-8 cannot hold left out"), std::string::npos)
      << leftOut.err;
  EXPECT_GT(leftOut.out.size(), refused.out.size());  // the second record written too
  EXPECT_EQ(leftOut.out[9], ' ');                     // leader/09: MARC-8
  // What it wrote, repaired again as MARC-8, stays as it is.
  const RunResult again = Run("marc --to marc-8 --check", leftOut.out);
  EXPECT_EQ(again.exitCode, 0) << again.err;
}

TEST_F(MarcCommandCli, ReadsEveryFieldAsFromSays) {
  std::vector<ExchangeRecord> records = SampleRecords(1);
  const std::string canTho =
      " 0\x1F"
      "a" +
      Tcvn3(u"C\u1EA7n Th\u01A1");  // «Cần Thơ»
  records[0].AddField("651", canTho);
  const std::string input = WriteFile(OutputFormat::kIso2709, records);
  const RunResult guessed = Run("marc --check", input);
  EXPECT_EQ(guessed.exitCode, 1);
  EXPECT_NE(guessed.err.find("651 $a"), std::string::npos) << guessed.err;
  std::vector<ExchangeRecord> allTcvn3 = InTcvn3(SampleRecords(1));
  allTcvn3[0].AddField("651", canTho);
  const RunResult told = Run("marc --from tcvn3", WriteFile(OutputFormat::kIso2709, allTcvn3));
  EXPECT_EQ(told.exitCode, 0) << told.err;
  EXPECT_NE(told.out.find("C\xE1\xBA\xA7n Th\xC6\xA1"), std::string::npos);
}

TEST_F(MarcCommandCli, GivesTheSameWhateverTheThreads) {
  const std::string path =
      Quoted(Write("damaged.mrc", marc_repair::test::MakeDamagedCatalogue(1500).bytes));
  const RunResult one = Run("marc --jobs 1 " + path);
  for (const char* jobs : {"2", "5"}) {
    const RunResult many = Run(std::string("marc --jobs ") + jobs + " " + path);
    EXPECT_EQ(many.exitCode, one.exitCode) << jobs;
    EXPECT_EQ(many.out, one.out) << jobs;
    EXPECT_EQ(many.err, one.err) << jobs;
  }
}

TEST_F(MarcCommandCli, ReadsSeveralFilesAsOneStreamAndGoesOnPastAMissingOne) {
  const std::string iso = WriteFile(OutputFormat::kIso2709, SampleRecords(2));
  const std::string xml = WriteFile(OutputFormat::kMarcXml, SampleRecords(3));
  const std::string files = Quoted(Write("a.mrc", iso)) + " " + Quoted(Write("b.xml", xml));
  const RunResult both = Run("marc --format iso2709 " + files);
  EXPECT_EQ(both.exitCode, 0) << both.err;
  EXPECT_EQ(both.out, iso + WriteFile(OutputFormat::kIso2709, SampleRecords(3)));
  const RunResult missing = Run("marc --format iso2709 " + Quoted(dir_ / "none.mrc") + " " + files);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, both.out);
  EXPECT_NE(missing.err.find("none.mrc"), std::string::npos) << missing.err;
  EXPECT_NE(missing.err.find("5 records"), std::string::npos) << missing.err;
  // Not MARC at all: named, nothing written, exit 1.
  const RunResult text = Run("marc", "just some text\n");
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_NE(text.err.find("not a MARC file"), std::string::npos) << text.err;
}

TEST_F(MarcCommandCli, RefusesOptionsThatDoNotGoTogether) {
  const struct {
    const char* args;
    const char* says;
  } cases[] = {
      {"marc --to marc-8 --format marcxml", "MARCXML is UTF-8"},
      {"marc --check -o out.mrc", "--check writes no records"},
      {"marc -c", "-c leaves out what MARC-8 cannot hold"},
      {"marc --to latin-1", "utf-8 or marc-8"},
      {"marc --from klingon", "is no character set"},
      {"marc --format record", "'marc' writes MARC records"},
      {"marc --batch", "'marc' takes none of"},
      {"libol --check", "they are marc's"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.args;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << c.args << ": " << result.err;
  }
}

#ifdef VELMORA_HAVE_TOOLS
// The repaired records as yaz-marcdump reads them: the fields meant, in
// ISO 2709 and MARCXML, and in MARC-8 converted back by yaz.
TEST_F(MarcCommandCli, WritesWhatYazReadsBack) {
  if (std::system("command -v yaz-marcdump >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "needs yaz-marcdump (the Debian package yaz)";
  }
  const std::vector<ExchangeRecord> records = SampleRecords(6);
  const std::string input =
      Quoted(Write("tcvn3.mrc", WriteFile(OutputFormat::kIso2709, InTcvn3(records))));
  // Fields only: yaz writes a leader of its own after converting.
  const auto fields = [](const std::string& lines) {
    std::string kept;
    bool leader = true;
    for (std::size_t at = 0; at < lines.size();) {
      const std::size_t end = std::min(lines.find('\n', at), lines.size());
      const std::string line = lines.substr(at, end - at);
      if (!leader) kept += line + "\n";
      leader = line.empty();
      at = end + 1;
    }
    return kept;
  };
  const std::string want = fields(marc_exchange::test::YazLineForm(records));
  const struct {
    const char* ours;
    std::vector<std::string> yaz;
  } cases[] = {
      {"--format iso2709", {"-i", "marc", "-o", "line"}},
      {"--format marcxml", {"-i", "marcxml", "-o", "line"}},
      {"--to marc-8", {"-f", "marc8", "-t", "utf8", "-i", "marc", "-o", "line"}},
  };
  for (const auto& c : cases) {
    const RunResult ours = Run("marc " + std::string(c.ours) + " " + input);
    ASSERT_EQ(ours.exitCode, 0) << c.ours << ": " << ours.err;
    const std::filesystem::path written = Write("out", ours.out);
    std::vector<std::string> args = c.yaz;
    args.push_back(written.string());
    const std::optional<ToolOutput> yaz = RunTool("/usr/bin/yaz-marcdump", args, "");
    ASSERT_TRUE(yaz);
    EXPECT_EQ(yaz->exitCode, 0) << c.ours << ": " << yaz->errors;
    EXPECT_EQ(Composed(fields(yaz->out)), want) << c.ours;
  }
}

#endif

}  // namespace
}  // namespace velmora::test
