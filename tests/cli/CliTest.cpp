// velmora-convert end to end: the real binary, real files, real exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace {

namespace fs = std::filesystem;

using Cli = velmora::test::CliTest;
using velmora::test::RunResult;

using velmora::test::PlatformLines;
using velmora::test::ReadFile;

TEST_F(Cli, LibolRecordToWorkingTextAndOutputRecord) {
  const std::string crlf = "245    10$aTitle $bSub\r\n100    1 $aAuthor";
  const std::string lf = "245    10$aTitle $bSub\n100    1 $aAuthor";
  const std::string cr = "245    10$aTitle $bSub\r100    1 $aAuthor";
  for (const std::string& input : {crlf, lf, cr}) {
    RunResult working = Run("libol --working", input);
    EXPECT_EQ(working.exitCode, 0);
    EXPECT_EQ(working.out, PlatformLines("245=10$aTitle$bSub%100=1$aAuthor\n"));
    RunResult record = Run("libol", input);
    EXPECT_EQ(record.exitCode, 0);
    EXPECT_EQ(record.out, PlatformLines("245=00$aTitle$bSub%100=##$aAuthor\n"));
    EXPECT_EQ(record.err, "");
  }
}

TEST_F(Cli, ByteOrderMarkIsDroppedAndLineBreaksComeOutAsTheLinuxOnes) {
  EXPECT_EQ(Run("libol --working",
                "\xEF\xBB\xBF"
                "245    10$aT")
                .out,
            PlatformLines("245=10$aT\n"));
  // "-" is standard input; a final line break leaves the trailing "%".
  EXPECT_EQ(Run("libol --working -", "245    10$aT\r\n").out, PlatformLines("245=10$aT%\n"));
}

TEST_F(Cli, InputFileAndOutputFile) {
  const fs::path input = Write("record.txt", "245    10$aT\xC3\xAA\xCC\xA3t");
  const fs::path output = dir_ / "out.txt";
  RunResult result = Run("libol -o '" + output.string() + "' '" + input.string() + "'");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadFile(output), PlatformLines("245=00$aT\xC3\xAA\xCC\xA3t\n"));
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 5);
}

TEST_F(Cli, InvalidUtf8IsRejectedWithItsOffsetAndNothingWritten) {
  const fs::path output = dir_ / "out.txt";
  RunResult result = Run("libol -o '" + output.string() + "'", "245    ab\xC3(");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("invalid UTF-8 at byte offset 9"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(output));
  result = Run("libol", "\xFF");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
}

TEST_F(Cli, UnreadableFileGivesTheSystemsReason) {
  RunResult result = Run("libol '" + (dir_ / "missing.txt").string() + "'");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
  result = Run("libol '" + dir_.string() + "'");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Is a directory"), std::string::npos) << result.err;
}

TEST_F(Cli, UsageErrorsExitTwo) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"", "no command given"},
      {"lbol", "unknown command 'lbol'; did you mean 'libol'?"},
      {"libol --frobnicate", "unknown option '--frobnicate'"},
      {"libol -o", "-o needs a FILE"},
      {"libol --working=x", "'--working' takes no value"},
      {"libol --format", "--format needs a FORMAT"},
      {"libol --format=marc", "unknown format 'marc'; use record, iso2709, marcxml or mrk"},
      {"marcedit --working", "'marcedit' has no --working"},
      {"detect --batch", "'detect' takes no --batch"},
  };
  for (const auto& c : cases) {
    RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.args;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(Cli, HelpAndVersion) {
  RunResult help = Run("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("libol"), std::string::npos);
  RunResult version = Run("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("velmora-convert ", 0), 0u);
}

}  // namespace
