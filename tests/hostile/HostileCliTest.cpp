// velmora-convert on hostile input, every command: empty input, invalid
// UTF-8, binary garbage, NUL characters, a million line breaks, texts of a
// single separator, one very long line and several megabytes of records.
// Nothing may crash, hang, grow without bound or write a half result.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "BuildLimits.h"
#include "Encodings/Utf8.h"
#include "Invocations.h"
#include "support/ChildProcess.h"
#include "support/Files.h"

namespace velmora::hostile {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMillion = 1'000'000;
constexpr std::size_t kMegabyte = 1 << 20;

// Generous limits for one run of a few megabytes in an optimised build
// (scaled for the sanitizer builds): far above what a linear pass takes,
// far below what a quadratic one would.
constexpr double kSecondsForAFewMegabytes = 10.0;

bool IsValidUtf8(const std::string& bytes) {
  return encodings::DecodeUtf8(bytes, nullptr).has_value();
}

// A source command's record, not its working text: a text that holds more
// than white space but no record of the source fails with exit code 1.
bool RefusesTextWithoutARecord(const Invocation& invocation) {
  return cli::SourceOf(*invocation.command) != nullptr && !invocation.working;
}

class HostileCli : public ::testing::Test {
 protected:
  HostileCli() : dir_(std::string("hostile-") + CurrentTestName()) {}

  static std::string CurrentTestName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }

  struct Result {
    test::ChildRun run;
    std::string out, err;
  };

  Result Run(std::vector<std::string> args, const std::string& input) {
    test::WriteFile(dir_ / "stdin", input);
    Result result;
    result.run =
        test::RunChild(VELMORA_CONVERT, args, dir_ / "stdin", dir_ / "stdout", dir_ / "stderr");
    result.out = test::ReadFile(dir_ / "stdout");
    result.err = test::ReadFile(dir_ / "stderr");
    return result;
  }

  // Runs `invocation` on `input`: it must succeed within the time limit and
  // write at most `growth` times the input (plus a little).
  Result RunWithinLimits(const Invocation& invocation, const std::string& input,
                         std::size_t growth = 3) {
    Result result = Run(invocation.args, input);
    if (invocation.exchange || RefusesTextWithoutARecord(invocation)) {
      // A record with no field left is dropped with a warning and exit code 1.
      EXPECT_TRUE(result.run.exitCode == 0 || result.run.exitCode == 1)
          << invocation.label << ": " << result.err;
      if (result.run.exitCode == 1 && !invocation.exchange) {
        EXPECT_EQ(result.out, "");
      }
      growth = std::max<std::size_t>(growth, 8);  // XML escapes and markup
    } else {
      EXPECT_EQ(result.run.exitCode, 0) << invocation.label << ": " << result.err;
    }
    EXPECT_LT(result.run.seconds, kSecondsForAFewMegabytes * SlowdownOfThisBuild())
        << invocation.label;
    EXPECT_LE(result.out.size(), growth * input.size() + 64) << invocation.label;
    if (invocation.writesUtf8) {
      EXPECT_TRUE(IsValidUtf8(result.out)) << invocation.label;
    }
    return result;
  }

  test::ScratchDir dir_;
};

TEST_F(HostileCli, EmptyInputGivesEmptyOutput) {
  for (const Invocation& invocation : AllInvocations()) {
    const Result result = Run(invocation.args, "");
    if (invocation.exchange) {
      // No record: a batch of none succeeds; one empty record is dropped.
      EXPECT_EQ(result.run.exitCode, invocation.batch ? 0 : 1) << invocation.label;
      continue;
    }
    EXPECT_EQ(result.run.exitCode, 0) << invocation.label;
    // detect says what each input is.
    EXPECT_EQ(result.out, invocation.label == "detect" ? "standard input: empty\n" : "")
        << invocation.label;
    EXPECT_EQ(result.err, "") << invocation.label;
  }
}

// Invalid UTF-8 is refused with its offset; neither standard output nor the
// -o file gets anything, and no temporary file is left behind.
TEST_F(HostileCli, InvalidUtf8IsRefusedAndNothingIsWritten) {
  const struct {
    std::string bytes;
    const char* what;
  } kInvalid[] = {
      {"\x80", "a stray continuation byte"},
      {"\xC0\xAF", "an overlong form"},
      {"\xED\xA0\x80", "an encoded lone surrogate"},
      {"\xED\xB0\x80\xED\xA0\x80", "an encoded low and high surrogate"},
      {"\xF4\x90\x80\x80", "a code point above U+10FFFF"},
      {"\xFF\xFE", "a UTF-16 byte order mark"},
      {"\xEA\xF2t Vi", "Windows-1258 bytes"},
      {"\xE1\xBB", "a sequence cut short at the end"},
  };
  const std::string prefix = "245    10$aA";
  const fs::path target = dir_ / "result.txt";
  for (const Invocation& invocation : AllInvocations()) {
    // A batch drops the bad record and goes on with the others.
    if (!invocation.readsUtf8 || invocation.batch) continue;
    for (const auto& bad : kInvalid) {
      const std::string label = invocation.label + ", " + bad.what;
      test::WriteFile(target, "the previous result");
      std::vector<std::string> args = invocation.args;
      args.insert(args.end(), {"-o", target.string()});
      const Result result = Run(args, prefix + bad.bytes);
      EXPECT_EQ(result.run.exitCode, 1) << label;
      EXPECT_EQ(result.out, "") << label;
      EXPECT_NE(result.err.find("invalid UTF-8 at byte offset " + std::to_string(prefix.size())),
                std::string::npos)
          << label << ": " << result.err;
      EXPECT_EQ(test::ReadFile(target), "the previous result") << label;
      // stdin, stdout, stderr and the target: nothing else.
      EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 4)
          << label;
    }
  }
}

TEST_F(HostileCli, BinaryGarbageIsRefusedOrConvertedWithoutHarm) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string garbage(256 * 1024, '\0');
  for (char& b : garbage) b = static_cast<char>(byte(random));
  // Valid UTF-8 made of anything: controls, NUL, U+FFFF, line and paragraph
  // separators, supplementary characters.
  std::uniform_int_distribution<char32_t> codePoint(0, 0x10FFFF);
  std::u16string anything;
  while (anything.size() < 256 * 1024) {
    const char32_t cp = codePoint(random) >> (random() % 12);  // mostly small ones
    if (!text::IsSurrogate(cp)) text::AppendCodePoint(cp, anything);
  }
  anything += u"\0\uFFFF\u2028\u2029\uFEFF";
  const std::string validGarbage = encodings::EncodeUtf8(anything);

  for (const Invocation& invocation : AllInvocations()) {
    const Result binary = Run(invocation.args, garbage);
    if (invocation.readsUtf8) {
      EXPECT_EQ(binary.run.exitCode, 1) << invocation.label;
      if (invocation.batch) continue;  // the MARCXML collection around no record
    } else {
      // Any byte is a character of an 8-bit file; a character that the
      // output representation cannot hold is refused with its place.
      EXPECT_TRUE(binary.run.exitCode == 0 || binary.run.exitCode == 1) << invocation.label;
    }
    if (binary.run.exitCode != 0) {
      EXPECT_EQ(binary.out, "") << invocation.label;
    }

    const Result valid = Run(invocation.args, validGarbage);
    if (invocation.writesUtf8 && invocation.readsUtf8 && !invocation.exchange &&
        !RefusesTextWithoutARecord(invocation)) {
      EXPECT_EQ(valid.run.exitCode, 0) << invocation.label << ": " << valid.err;
      EXPECT_TRUE(IsValidUtf8(valid.out)) << invocation.label;
    } else {
      EXPECT_TRUE(valid.run.exitCode == 0 || valid.run.exitCode == 1) << invocation.label;
    }
  }
}

// The command line keeps NUL characters (the window's clipboard does not):
// they reach the output wherever the conversion keeps the characters
// around them.
TEST_F(HostileCli, NulCharactersAreKept) {
  for (const Invocation& invocation : AllInvocations()) {
    // A NUL after every non-ASCII character: those stand only in values.
    std::string input;
    for (const char c : ExampleInputFor(invocation)) {
      input.push_back(c);
      if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) input.push_back('\0');
    }
    std::string expected;
    if (!ConvertInProcess(invocation, input, expected)) continue;  // 8-bit output can't hold it
    ASSERT_NE(expected.find('\0'), std::string::npos) << invocation.label;
    const Result result = Run(invocation.args, input);
    EXPECT_EQ(result.run.exitCode, 0) << invocation.label << ": " << result.err;
    EXPECT_EQ(result.out, expected) << invocation.label;
  }
}

TEST_F(HostileCli, AMillionLineBreaks) {
  for (const std::string lineBreak : {"\n", "\r\n", "\r"}) {
    std::string input;
    for (std::size_t i = 0; i < kMillion; ++i) input += lineBreak;
    for (const Invocation& invocation : OneInvocationPerCommand()) {
      const Result result = RunWithinLimits(invocation, input);
      const std::string name(invocation.command->name);
      if ((name == "marcedit" || name == "pre-unicode") && !invocation.batch) {
        // Line breaks pass through, written as the platform's (marcedit
        // ends the record it writes with the one it reads last).
        EXPECT_TRUE(result.out == std::string(kMillion, '\n')) << invocation.label;
      }
    }
  }
}

TEST_F(HostileCli, TextOfASingleSeparatorRepeated) {
  for (const char separator : {'%', '$', '=', '|', '\t'}) {
    const std::string input(kMillion, separator);
    for (const Invocation& invocation : OneInvocationPerCommand()) {
      const Result result = RunWithinLimits(invocation, input);
      const std::string name(invocation.command->name);
      if (name == "marcedit" && separator == '%' && !invocation.batch) {
        // Each "%" a line break, and the line break that ends the record.
        EXPECT_TRUE(result.out == std::string(kMillion + 1, '\n')) << invocation.label;
      } else if (name == "pre-unicode") {
        EXPECT_TRUE(result.out == input) << invocation.label;
      }
    }
  }
}

// One line of ten megabytes, in the source's title layout so that the value
// travels through the whole conversion into the output.
TEST_F(HostileCli, ASingleTenMegabyteLine) {
  const std::string word = "Ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t ";  // «Tiếng Việt »
  std::string value;
  while (value.size() < 10 * kMegabyte) value += word;
  for (const Invocation& invocation : OneInvocationPerCommand()) {
    const std::string layout = TitleLayoutFor(invocation);
    const Result result = RunWithinLimits(invocation, layout + value);
    if (!layout.empty() && invocation.writesUtf8 && !invocation.exchange) {
      EXPECT_NE(result.out.find(value.substr(0, value.size() - 1)), std::string::npos)
          << invocation.label;
    }
  }
}

// Several megabytes of records (the sample record over and over) in linear
// time and bounded memory; the hundred-megabyte run is HugeInputTest.
TEST_F(HostileCli, EightMegabytesOfRecords) {
  constexpr long kMaxRssPerInputByte = 16;  // UTF-8 in, UTF-16 copies through the steps
  for (const Invocation& invocation : OneInvocationPerCommand()) {
    // A batch holds the records apart with empty lines; elsewhere they run
    // together into one long record.
    const std::string record = ExampleInputFor(invocation) + (invocation.batch ? "\n\n" : "");
    std::string input;
    while (input.size() < 8 * kMegabyte) input += record;
    const Result result = RunWithinLimits(invocation, input);
    if (!MeasuresMemory()) continue;
    EXPECT_LT(result.run.peakRssKb * 1024,
              kMaxRssPerInputByte * static_cast<long>(input.size()) + 64L * 1024 * 1024)
        << invocation.label << ": peak RSS " << result.run.peakRssKb << " kB";
  }
}

}  // namespace
}  // namespace velmora::hostile
