// The command-line conventions of velmora-convert, end to end: options before
// or after the command, the forms of an option's value, "-" for the standard
// streams, several input files, suggestions and --verbose.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModMain/Records/Sources.h"
#include "cli/Commands.h"
#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::test {
namespace {

using CommandLine = CliTest;

constexpr const char* kRecordA = "245    10$aA\n100    1 $aAuthor A";
constexpr const char* kRecordB = "245    10$aB\n999    ##$aLocal";
constexpr const char* kOutputA = "245=00$aA%100=##$aAuthor A\n";
constexpr const char* kOutputB = "245=00$aB\n";

TEST_F(CommandLine, OptionsMayStandBeforeOrAfterTheCommand) {
  const std::string batch = std::string(kRecordA) + "\n\n" + kRecordB;
  const std::string file = "'" + Write("batch.txt", batch).string() + "'";
  const std::string expected = std::string(kOutputA) + kOutputB;
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
    EXPECT_EQ(ReadFile(path), PlatformLines(kOutputA)) << form;
    std::filesystem::remove(path);
  }
}

TEST_F(CommandLine, DashIsStandardInputAndStandardOutput) {
  const RunResult result = Run("libol -o - -", kRecordA);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, PlatformLines(kOutputA));
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
      {"libol " + a + " " + b, std::string(kOutputA) + "\n" + kOutputB},
      // One stream of records.
      {"libol --batch " + a + " " + b, std::string(kOutputA) + kOutputB},
      // Texts one after another, as iconv writes them.
      {"pre-unicode " + c + " " + d, "Vi\xE1\xBB\x87t\nNam\n"},
      {"charset unicode nomarks " + c + " " + d, "Viet\nNam\n"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, PlatformLines(c.out)) << c.args;
  }
}

// As cat and grep do: each file that cannot be read is named, the others
// are converted and written, and the run fails. Every command, from the
// command table.
TEST_F(CommandLine, AFileThatCannotBeReadIsNamedAndTheOthersConverted) {
  const std::string text = "'" + Write("text.txt", kRecordA).string() + "'";
  const std::string record = "'" + Write("record.txt", "245=00$aA%100=##$aB").string() + "'";
  const std::string missing = "'" + (dir_ / "missing.txt").string() + "'";
  const std::string marc =
      "'" + Write("record.mrk", "=LDR  00042nam a2200037   4500\r\n=245  10$aA\r\n\r\n").string() +
      "'";
  for (const cli::Command& command : cli::AllCommands()) {
    // What the command takes: its source's sample record, an output record,
    // a MARC file, any text.
    const records::SourceSystem* source = cli::SourceOf(command);
    const std::string good = source != nullptr ? Example(std::string(source->sample) + ".txt")
                             : command.name == "marcedit" ? record
                             : command.name == "marc"     ? marc
                                                          : text;
    std::vector<std::string> calls = {std::string(command.name)};
    if (command.name == "charset") calls = {"charset unicode vni", "charset auto unicode"};
    if (cli::SourceOf(command) != nullptr) calls.push_back(calls.front() + " --batch");
    for (const std::string& call : calls) {
      const RunResult alone = Run(call + " " + good);
      EXPECT_EQ(alone.exitCode, 0) << call << ": " << alone.err;
      const RunResult both = Run(call + " " + missing + " " + good);
      EXPECT_EQ(both.exitCode, 1) << call;
      EXPECT_EQ(both.out, alone.out) << call;
      EXPECT_EQ(both.err, "velmora-convert: " + (dir_ / "missing.txt").string() +
                              ": No such file or directory\n" + alone.err)
          << call;
      // -o FILE gets what could be converted.
      const std::string out = (dir_ / "out.txt").string();
      EXPECT_EQ(Run(call + " -o '" + out + "' " + missing + " " + good).exitCode, 1) << call;
      EXPECT_EQ(ReadFile(out), alone.out) << call;
    }
  }
}

// Records are written as lines of text, each ended by a line break, so
// that wc, cat and the shell see whole lines; charset and pre-unicode write
// exactly the converted text, as iconv does.
TEST_F(CommandLine, RecordsEndWithALineBreakAndTextsStayAsTheyAre) {
  const struct {
    const char* args;
    std::string input, out;
  } cases[] = {
      {"libol", kRecordA, kOutputA},
      {"libol --working", "245    10$aA", "245=10$aA\n"},
      {"libol", "", ""},
      {"libol --batch", std::string(kRecordA) + "\n\n" + kRecordB,
       std::string(kOutputA) + kOutputB},
      {"marcedit", "245=00$aA%100=##$aB", "=245  00$aA\n=100  ##$aB\n"},
      // What a source command wrote: its line break ends the record.
      {"marcedit", "245=00$aA%100=##$aB\n", "=245  00$aA\n=100  ##$aB\n"},
      {"pre-unicode", "Nam", "Nam"},
      {"pre-unicode", "Nam\n", "Nam\n"},
      {"pre-unicode --precompose", "Nam", "Nam"},
      {"charset unicode vni", "Nam", "Nam"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, PlatformLines(c.out)) << c.args << " on '" << c.input << "'";
  }
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
  EXPECT_EQ(one.out, PlatformLines(kOutputB));
  EXPECT_EQ(one.err, "velmora-convert: left out: 999=##$aLocal\n");

  const RunResult batch = Run("libol -v --batch", std::string(kRecordA) + "\n\n" + kRecordB);
  EXPECT_EQ(batch.err, "velmora-convert: record 2 ('245    10$aB'): left out: 999=##$aLocal\n");

  // The leader as it was copied, whole: the rewrite changes its blanks.
  const struct {
    const char* command;
    const char* leader;
  } leaders[] = {
      {"libol", "000    nam a22     a 4500"},
      {"lacviet", "000\t_____nam__2200265_a_4500"},
      {"ilib", "000\tnam a22 a 4500"},
  };
  for (const auto& c : leaders) {
    const RunResult verbose =
        Run(std::string(c.command) + " -v", ReadFile(ExamplePath(std::string(c.command) + ".txt")));
    EXPECT_EQ(verbose.err.substr(0, verbose.err.find('\n') + 1),
              "velmora-convert: left out: " + std::string(c.leader) + "\n")
        << c.command;
  }
  // A «000» line far longer than a leader is shown cut, as other fields are.
  const RunResult longLine =
      Run("libol -v", "000    " + std::string(100000, 'x') + "\n245    10$aT\n");
  EXPECT_EQ(longLine.exitCode, 0) << longLine.err;
  EXPECT_LT(longLine.err.size(), 1000u);
  EXPECT_NE(longLine.err.find("left out: 000"), std::string::npos) << longLine.err;
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
