// velmora-convert marcedit end to end: the output record of every sample as
// MarcEdit lines, equal to the literal 999-pass export.
#include <gtest/gtest.h>

#include <string>

#include "Encodings/Utf8.h"
#include "ModMain/Records/MarcEditSteps.h"
#include "ModMain/Records/Sources.h"
#include "reference/LiteralSteps.h"
#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::test {
namespace {

using MarcEditCli = CliTest;

// What the literal export gives for `record`, with line breaks as
// velmora-convert writes them, the last line ended.
std::string LiteralExport(const std::string& record) {
  const Text lines = reference::RunStepsLiterally(*encodings::DecodeUtf8(record, nullptr),
                                                  records::kMarcEditSteps);
  return encodings::EncodeUtf8(text::Replace(lines, text::kCrlf, text::kPlatformLineBreakText)) +
         PlatformLines("\n");
}

TEST_F(MarcEditCli, EverySampleRecordExportsAsTheLiteralExportDoes) {
  for (const records::SourceSystem& source : records::Sources()) {
    const std::string record = ReadFile(ExamplePath(std::string(source.sample) + ".expected.txt"));
    const RunResult lines = Run("marcedit", record);
    EXPECT_EQ(lines.exitCode, 0) << source.name << ": " << lines.err;
    EXPECT_EQ(lines.out, LiteralExport(record)) << source.name;
    EXPECT_EQ(lines.out.rfind("=245  ", 0), 0u) << source.name;
  }
  const RunResult libol = Run("marcedit " + Example("libol.expected.txt"));
  EXPECT_EQ(libol.out, PlatformLines(ReadFile(ExamplePath("marcedit.expected.txt")) + "\n"));
}

TEST_F(MarcEditCli, OnlyATagAtAFieldsStartMoves) {
  const struct {
    const char* input;
    const char* lines;
  } cases[] = {
      {"245=00$aTitle%020=##$a123", "=245  00$aTitle\n=020  ##$a123\n"},
      {"100=1#$aA 1999=B", "=100  1#$aA 1999=B\n"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run("marcedit", c.input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, PlatformLines(c.lines)) << c.input;
  }
}

// What `libol --batch` writes, one output record a line, through marcedit
// --batch: each record's lines, an empty line between two records, the same
// on any number of threads; without --batch the run warns that it sees
// several records.
TEST_F(MarcEditCli, BatchWritesEachRecordsLinesApart) {
  std::string batch, expected;
  for (const records::SourceSystem& source : records::Sources()) {
    const std::string record = ReadFile(ExamplePath(std::string(source.sample) + ".expected.txt"));
    batch += record + "\n\n";
    expected += (expected.empty() ? "" : PlatformLines("\n")) + LiteralExport(record);
  }
  for (const char* jobs : {"", " --jobs 1", " --jobs 3"}) {
    const RunResult result = Run(std::string("marcedit --batch") + jobs, batch);
    EXPECT_EQ(result.exitCode, 0) << jobs << ": " << result.err;
    EXPECT_EQ(result.out, expected) << jobs;
    EXPECT_EQ(result.err, "") << jobs;
  }
  const RunResult piped =
      Run("marcedit --batch",
          Run("libol --batch " + Example("libol.txt") + " " + Example("libol.txt")).out);
  const std::string lines = LiteralExport(ReadFile(ExamplePath("libol.expected.txt")));
  EXPECT_EQ(piped.out, lines + PlatformLines("\n") + lines);

  const RunResult whole = Run("marcedit", batch);
  EXPECT_EQ(whole.exitCode, 0) << whole.err;
  EXPECT_EQ(whole.err,
            "velmora-convert: warning: standard input: it holds several output records, one a "
            "line: 'velmora-convert marcedit --batch' writes the lines of each apart\n");
}

// A record copied from a library system is no output record: marcedit
// names the command that converts it, writes nothing and fails; a batch
// drops such a line.
TEST_F(MarcEditCli, ACopiedRecordIsNamedWithTheCommandThatConvertsIt) {
  const struct {
    const char* sample;
    const char* message;
  } cases[] = {
      {"libol.txt",
       "standard input: this looks like a record copied from Libol, not an output record: "
       "convert it first with 'velmora-convert libol'\n"},
      {"lacviet.txt",
       "standard input: this looks like a record copied from LacViet or Emiclib, not an output "
       "record: convert it first with 'velmora-convert lacviet' or 'velmora-convert emiclib'\n"},
      {"ilib.txt",
       "copied from iLib, not an output record: convert it first with "
       "'velmora-convert ilib'\n"},
      {"hue.txt", "'velmora-convert hue'\n"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run("marcedit", ReadFile(ExamplePath(c.sample)));
    EXPECT_EQ(result.exitCode, 1) << c.sample;
    EXPECT_EQ(result.out, "") << c.sample;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.sample << ": " << result.err;
  }
  const RunResult batch = Run("marcedit --batch", "245=00$aA\n245    10$aCopied\n245=00$aB\n");
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_EQ(batch.out, PlatformLines("=245  00$aA\n\n=245  00$aB\n"));
  EXPECT_NE(batch.err.find("record 2 ('245    10$aCopied') dropped: this looks like a record "
                           "copied from Libol"),
            std::string::npos)
      << batch.err;
}

}  // namespace
}  // namespace velmora::test
