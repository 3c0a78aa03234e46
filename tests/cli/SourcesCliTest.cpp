// velmora-convert lacviet, emiclib and verbrary end to end: the real binary
// on the bundled sample records and on short records given on standard input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/CliFixture.h"
#include <string_view>

namespace {

namespace fs = std::filesystem;

using SourcesCli = velmora::test::CliTest;
using velmora::test::RunResult;

std::string Read(const fs::path& path) { return velmora::test::ReadFile(path); }

TEST_F(SourcesCli, BundledSamplesConvertToTheirExpectedRecords) {
  for (const char* source : {"lacviet", "emiclib", "verbrary"}) {
    const fs::path examples(VELMORA_EXAMPLES);
    RunResult result = Run(std::string(source) + " '" + (examples / source).string() + ".txt'");
    EXPECT_EQ(result.exitCode, 0) << source << ": " << result.err;
    EXPECT_EQ(result.out, Read(examples / (std::string(source) + ".expected.txt"))) << source;
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(SourcesCli, VerbraryWorkingTextFromLinuxLineBreaks) {
  RunResult result =
      Run("verbrary --working", "245\t10\t|aTitle :\t|bsub /\t|cAuthor.\n650\t#7\t|aX\t|xY.\n");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "245=10$aTitle$bsub$cAuthor%650=#7$aX%650=##$aY%");
}

// «Tiếng Việt» with ế precomposed (U+1EBF) and ệ as ê + combining dot below
// (U+00EA U+0323), in UTF-8; «ngữ pháp» precomposed.
constexpr std::string_view kMixedTitle = "Ti\xE1\xBA\xBFng Vi\xC3\xAA\xCC\xA3t";
constexpr std::string_view kPrecomposedTitle = "Ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t";
constexpr std::string_view kSubtitle = "ng\xE1\xBB\xAF ph\xC3\xA1p";

TEST_F(SourcesCli, LacVietAndVerbraryJoinToneMarksAndEmiclibKeepsThem) {
  const std::string mixed(kMixedTitle), precomposed(kPrecomposedTitle), sub(kSubtitle);
  const std::string tabAndBar = "245\t10|a" + mixed + " :|b" + sub + "\n";
  const std::string tabbed = "245\t10\t|a" + mixed + " :\t|b" + sub + ".\n";
  const struct {
    const char* args;
    const std::string& input;
    std::string out;
  } cases[] = {
      {"lacviet --working", tabAndBar, "245=10$a" + precomposed + " :$b" + sub + "%"},
      {"lacviet", tabAndBar, "245=00$a" + precomposed + " :$b" + sub},
      {"emiclib --working", tabAndBar, "245=10$a" + mixed + " :$b" + sub + "%"},
      {"emiclib", tabAndBar, "245=00$a" + mixed + " :$b" + sub},
      {"verbrary --working", tabbed, "245=10$a" + precomposed + "$b" + sub + "%"},
      {"verbrary", tabbed, "245=00$a" + precomposed + "$b" + sub},
  };
  for (const auto& c : cases) {
    RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, c.out) << c.args;
  }
}

TEST_F(SourcesCli, EmptyInputGivesEmptyOutput) {
  for (const char* args : {"lacviet", "lacviet --working", "emiclib", "emiclib --working",
                           "verbrary", "verbrary --working"}) {
    RunResult result = Run(args);
    EXPECT_EQ(result.exitCode, 0) << args;
    EXPECT_EQ(result.out, "") << args;
  }
}

TEST_F(SourcesCli, HelpListsTheCommands) {
  RunResult help = Run("--help");
  for (const char* name : {"lacviet", "emiclib", "verbrary"}) {
    EXPECT_NE(help.out.find(std::string("  ") + name + " "), std::string::npos) << name;
  }
}

}  // namespace
