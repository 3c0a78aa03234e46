// Every source command end to end, from the source table: the real binary on
// the bundled sample records and on short records given on standard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "Encodings/Utf8.h"
#include "ModMain/Records/Sources.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/Commands.h"
#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::test {
namespace {

using SourcesCli = CliTest;

TEST_F(SourcesCli, EverySampleConvertsToItsExpectedRecord) {
  for (const records::SourceSystem& source : records::Sources()) {
    const std::string sample(source.sample);
    const RunResult result = Run(std::string(source.name) + " " + Example(sample + ".txt"));
    EXPECT_EQ(result.exitCode, 0) << source.name << ": " << result.err;
    // The window's record, as a line of text.
    EXPECT_EQ(result.out, ReadFile(ExamplePath(sample + ".expected.txt")) + PlatformLines("\n"))
        << source.name;
    EXPECT_EQ(result.err, "") << source.name;
  }
}

// «Tiếng Việt» with ế precomposed (U+1EBF) and ệ as ê + combining dot below
// (U+00EA U+0323), in UTF-8; «ngữ pháp» precomposed.
constexpr std::string_view kMixedTitle = "Ti\xE1\xBA\xBFng Vi\xC3\xAA\xCC\xA3t";
constexpr std::string_view kPrecomposedTitle = "Ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t";
constexpr std::string_view kSubtitle = "ng\xE1\xBB\xAF ph\xC3\xA1p";

TEST_F(SourcesCli, ShortRecordsFromStandardInput) {
  const std::string mixed(kMixedTitle), precomposed(kPrecomposedTitle), sub(kSubtitle);
  const std::string tabAndBar = "245\t10|a" + mixed + " :|b" + sub + "\n";
  const std::string tabbed = "245\t10\t|a" + mixed + " :\t|b" + sub + ".\n";
  const struct {
    const char* args;
    std::string input, out;
  } cases[] = {
      // LacViet and Verbrary join decomposed letters; Emiclib keeps them.
      {"lacviet --working", tabAndBar, "245=10$a" + precomposed + " :$b" + sub + "%"},
      {"lacviet", tabAndBar, "245=00$a" + precomposed + " :$b" + sub},
      {"emiclib --working", tabAndBar, "245=10$a" + mixed + " :$b" + sub + "%"},
      {"emiclib", tabAndBar, "245=00$a" + mixed + " :$b" + sub},
      {"verbrary --working", tabbed, "245=10$a" + precomposed + "$b" + sub + "%"},
      {"verbrary", tabbed, "245=00$a" + precomposed + "$b" + sub},
      {"verbrary --working", "245\t10\t|aTitle :\t|bsub /\t|cAuthor.\n650\t#7\t|aX\t|xY.\n",
       "245=10$aTitle$bsub$cAuthor%650=#7$aX%650=##$aY%"},
      {"hue", "24510  aTitle\n245  bSub", "245=##$aTitle$bSub"},
      {"hue --working", "24510  aTitle\r\n245  bSub", "245=10$aTitle%245=$bSub"},
      {"ilib --working", "245\t10\ta\tTitle\tb\tSub", "245=10$aTitle$bSub"},
      {"ilib --working", "245\t10\tb\ta\ta\tx\n", "245=10$ba$ax"},
      {"ilib", "245\t10\ta\tTitle\tb\tSub", "245=00$aTitle$bSub"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, c.out + PlatformLines("\n")) << c.args;
    EXPECT_EQ(result.err, "") << c.args;
  }
}

// A source command on a text that holds no record of its source writes
// nothing, names the source the text looks like and fails, in every format;
// a record that converts but looks like another source's gets a warning.
TEST_F(SourcesCli, TheWrongSourceIsNamedAndNothingIsWritten) {
  const struct {
    const char* args;
    const char* sample;
    int exitCode;
    const char* message;
  } cases[] = {
      {"libol", "verbrary.txt", 1,
       "standard input: no Libol record found; it looks like a Verbrary record: try "
       "'velmora-convert verbrary'"},
      {"libol --format iso2709", "verbrary.txt", 1,
       "no Libol record found; it looks like a Verbrary"},
      {"libol --format marcxml", "verbrary.txt", 1,
       "no Libol record found; it looks like a Verbrary"},
      {"ilib", "emiclib.txt", 1, "try 'velmora-convert lacviet' or 'velmora-convert emiclib'"},
      {"libol", "marcedit.expected.txt", 1, "standard input: no Libol record found\n"},
      {"libol --batch", "verbrary.txt", 1,
       "dropped: it yields no field; it looks like a Verbrary record: try 'velmora-convert "
       "verbrary'"},
      {"hue", "libol.txt", 0,
       "warning: standard input: not a Hue record; it looks like a Libol record: try "
       "'velmora-convert libol'"},
      // A batch warns on each record as a single run does.
      {"hue --batch", "libol.txt", 0,
       "warning: record 1 ('000    nam a22     a 4500'): not a Hue record; it looks like a "
       "Libol record: try 'velmora-convert libol'"},
      // Names spoken from a vowel take «an».
      {"libol", "ilib.txt", 1,
       "no Libol record found; it looks like an iLib record: try 'velmora-convert ilib'"},
      {"emiclib", "libol.txt", 0,
       "warning: standard input: not an Emiclib record; it looks like a Libol record: try "
       "'velmora-convert libol'"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, ReadFile(ExamplePath(c.sample)));
    EXPECT_EQ(result.exitCode, c.exitCode) << c.args << " on " << c.sample;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.args << ": " << result.err;
    if (c.exitCode == 1 && std::string_view(c.args).find("--batch") == std::string_view::npos) {
      EXPECT_EQ(result.out, "") << c.args;
    }
  }
  // --working asks for the working text, whatever it is.
  EXPECT_EQ(Run("libol --working", ReadFile(ExamplePath("verbrary.txt"))).exitCode, 0);
}

// A field's text wrapped onto a line of its own when it was copied has no
// tag: the conversion goes on as it always has, and the line is named. The
// Hue form's continuation lines (its sample has one) are its own layout.
TEST_F(SourcesCli, ALineWithoutATagIsNamedAndConvertsAsBefore) {
  const std::string wrapped = "on a line of its own";
  for (const records::SourceSystem& source : records::Sources()) {
    if (source.layout == records::SourceLayout::Hue) continue;
    const std::string sample = ReadFile(ExamplePath(std::string(source.sample) + ".txt"));
    const std::size_t title = sample.find("\n245");
    ASSERT_NE(title, std::string::npos) << source.name;
    const std::size_t titleEnd = sample.find('\n', title + 1);
    std::string input = sample;
    input.insert(titleEnd + 1, wrapped + "\n");
    const std::size_t line =
        2 + static_cast<std::size_t>(std::count(sample.begin(), sample.begin() + titleEnd, '\n'));
    const std::string warning = "line " + std::to_string(line) +
                                " has no tag and does not convert as it stands: '" + wrapped +
                                "'; if it goes on from the field before it, put it back at the "
                                "end of that line before converting\n";
    const RunResult alone = Run(std::string(source.name), input);
    EXPECT_EQ(alone.exitCode, 0) << source.name << ": " << alone.err;
    EXPECT_EQ(alone.err, "velmora-convert: warning: standard input: " + warning) << source.name;
    const std::optional<Text> converted =
        cli::ConvertCopied(*cli::FindCommand(source.name), false,
                           text::NormaliseLineBreaks(*encodings::DecodeUtf8(input, nullptr)));
    EXPECT_EQ(alone.out, encodings::EncodeUtf8(*converted) + PlatformLines("\n")) << source.name;
    // In a batch, the line of the input, in the record that holds it.
    const RunResult batch = Run(std::string(source.name) + " --batch", sample + "\n" + input);
    const std::size_t lines =
        static_cast<std::size_t>(std::count(sample.begin(), sample.end(), '\n'));
    const std::string second = "record 2 ('" + sample.substr(0, sample.find('\n')) + "')";
    EXPECT_NE(batch.err.find("warning: " + second + ": line " + std::to_string(lines + 1 + line)),
              std::string::npos)
        << source.name << ": " << batch.err;
  }
}

TEST_F(SourcesCli, HelpListsEveryCommandWithItsSummary) {
  const RunResult help = Run("--help");
  EXPECT_EQ(help.exitCode, 0);
  for (const cli::Command& command : cli::AllCommands()) {
    EXPECT_NE(help.out.find("  " + std::string(command.name) + " "), std::string::npos)
        << command.name;
    // The summary's first words, before the help wraps it.
    const std::string_view firstWords = command.summary.substr(0, 20);
    EXPECT_NE(help.out.find(firstWords), std::string::npos) << command.name;
  }
}

}  // namespace
}  // namespace velmora::test
