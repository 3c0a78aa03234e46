// The command-line conventions of velmora-convert, end to end: options before
// or after the command, the forms of an option's value, "-" for the standard
// streams, several input files, suggestions and --verbose.
#include <gtest/gtest.h>

#include <string>

#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::test {
namespace {

using CommandLine = CliTest;

constexpr const char* kRecordA = "245    10$aA\n100    1 $aAuthor A";
constexpr const char* kRecordB = "245    10$aB\n999    ##$aLocal";
constexpr const char* kOutputA = "245=00$aA%100=##$aAuthor A";
constexpr const char* kOutputB = "245=00$aB";

TEST_F(CommandLine, OptionsMayStandBeforeOrAfterTheCommand) {
  const std::string batch = std::string(kRecordA) + "\n\n" + kRecordB;
  const std::string file = "'" + Write("batch.txt", batch).string() + "'";
  const std::string expected = std::string(kOutputA) + "\n" + kOutputB + "\n";
  for (const std::string& args :
       {"libol --batch " + file, "--batch libol " + file, "libol " + file + " --batch"}) {
    const RunResult result = Run(args);
    EXPECT_EQ(result.exitCode, 0) << args << ": " << result.err;
    EXPECT_EQ(result.out, PlatformLines(expected)) << args;
  }
  // After "--" every word is the command, an operand or a FILE.
  const RunResult ended = Run("libol -- --batch");
  EXPECT_EQ(ended.exitCode, 1);
  EXPECT_NE(ended.err.find("--batch: No such file"), std::string::npos) << ended.err;
}

TEST_F(CommandLine, EveryFormOfTheOutputOptionWritesTheFile) {
  for (const std::string form : {"-o 'OUT'", "-o'OUT'", "--output 'OUT'", "--output='OUT'"}) {
    const std::string path = (dir_ / "out.txt").string();
    std::string args = form;
    args.replace(args.find("OUT"), 3, path);
    const RunResult result = Run("libol " + args, kRecordA);
    EXPECT_EQ(result.exitCode, 0) << form << ": " << result.err;
    EXPECT_EQ(result.out, "") << form;
    EXPECT_EQ(ReadFile(path), kOutputA) << form;
    std::filesystem::remove(path);
  }
}

TEST_F(CommandLine, DashIsStandardInputAndStandardOutput) {
  const RunResult result = Run("libol -o - -", kRecordA);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, kOutputA);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "-"));
}

TEST_F(CommandLine, SeveralInputFilesAreConvertedInTurn) {
  const std::string a = "'" + Write("a.txt", kRecordA).string() + "'";
  const std::string b = "'" + Write("b.txt", kRecordB).string() + "'";
  const std::string decomposedA = "Vi\xC3\xAA\xCC\xA3t\n", decomposedB = "Nam\n";  // ê + U+0323
  const std::string c = "'" + Write("c.txt", decomposedA).string() + "'";
  const std::string d = "'" + Write("d.txt", decomposedB).string() + "'";
  const struct {
    std::string args, out;
  } cases[] = {
      // Each file its own record, an empty line between them.
      {"libol " + a + " " + b, std::string(kOutputA) + "\n\n" + kOutputB},
      // One stream of records.
      {"libol --batch " + a + " " + b, std::string(kOutputA) + "\n" + kOutputB + "\n"},
      // Texts one after another, as iconv writes them.
      {"pre-unicode " + c + " " + d, "Vi\xE1\xBB\x87t\nNam\n"},
      {"charset unicode nomarks " + c + " " + d, "Viet\nNam\n"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, PlatformLines(c.out)) << c.args;
  }
  // A file that cannot be read fails the run, and nothing is written.
  const RunResult missing = Run("libol " + a + " '" + (dir_ / "missing.txt").string() + "'");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("missing.txt: No such file or directory"), std::string::npos);
}

TEST_F(CommandLine, AMistypedCommandGetsASuggestionWhateverItsCase) {
  const struct {
    const char* args;
    const char* suggestion;
  } cases[] = {
      {"LIBOL", "did you mean 'libol'?"},
      {"Pre-Unicode", "did you mean 'pre-unicode'?"},
      {"verbary", "did you mean 'verbrary'?"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.args;
    EXPECT_NE(result.err.find(c.suggestion), std::string::npos) << result.err;
  }
}

TEST_F(CommandLine, VerboseNamesTheFieldsTheOutputRecordLeavesOut) {
  const RunResult one = Run("libol --verbose", kRecordB);
  EXPECT_EQ(one.exitCode, 0) << one.err;
  EXPECT_EQ(one.out, kOutputB);
  EXPECT_EQ(one.err, "velmora-convert: left out: 999=##$aLocal\n");

  const RunResult batch = Run("libol -v --batch", std::string(kRecordA) + "\n\n" + kRecordB);
  EXPECT_EQ(batch.err, "velmora-convert: record 2 ('245    10$aB'): left out: 999=##$aLocal\n");
}

TEST_F(CommandLine, ShortAndLongVersion) {
  for (const char* args : {"-V", "--version", "libol --version"}) {
    const RunResult result = Run(args);
    EXPECT_EQ(result.exitCode, 0) << args;
    EXPECT_EQ(result.out.rfind("velmora-convert ", 0), 0u) << args;
  }
}

}  // namespace
}  // namespace velmora::test
