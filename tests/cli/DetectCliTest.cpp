// velmora-convert detect and charset auto end to end.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::cli {
namespace {

using DetectCli = test::CliTest;
using test::PlatformLines;
using test::RunResult;

// «Tôi yêu tiếng Việt Nam lắm, người ơi.»
const std::string kUtf8 =
    "T\xC3\xB4i y\xC3\xAAu ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t Nam "
    "l\xE1\xBA\xAFm, ng\xC6\xB0\xE1\xBB\x9Di \xC6\xA1i.\n";

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

TEST_F(DetectCli, EachFileGetsItsRepresentationAndARecordItsLayout) {
  const struct {
    std::string name, bytes, line;
  } cases[] = {
      {"u.txt", kUtf8, "unicode, confidence"},
      {"t.txt", Run("charset unicode tcvn3", kUtf8).out, "tcvn3, confidence"},
      {"v.txt", Run("charset unicode vni", kUtf8).out, "vni, confidence"},
      {"q.txt", Run("charset unicode viqr", kUtf8).out, "viqr, confidence"},
      {"e.txt", "The quick brown fox jumps over the lazy dog.\n", "unicode, not Vietnamese"},
      {"x.txt", "\xE9t\xE9 \xE0 Paris, tr\xE8s beau\n", "not Vietnamese"},  // Latin-1 French
      // «Tôi yêu Việt Nam» saved as UTF-16 without its byte order mark.
      {"w.txt", Utf16Le(u"T\u00F4i y\u00EAu Vi\u1EC7t Nam\r\n"),
       "looks like UTF-16LE without a byte order mark: save it as UTF-8 or with a byte order "
       "mark"},
  };
  std::string files;
  for (const auto& c : cases) files += " '" + Write(c.name, c.bytes).string() + "'";
  const std::string record = Run("charset unicode tcvn3 " + Example("verbrary.txt")).out;
  files += " '" + Write("record.txt", record).string() + "'";
  const RunResult result = Run("detect" + files + " " + Example("libol.txt"));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  for (const auto& c : cases) {
    EXPECT_NE(result.out.find(c.name + ": " + c.line), std::string::npos) << result.out;
  }
  EXPECT_NE(result.out.find("libol.txt: unicode, confidence 100%; a record copied from Libol\n"),
            std::string::npos)
      << result.out;
  // The layout of a record in a legacy representation, as it reads.
  EXPECT_NE(result.out.find("record.txt: tcvn3, confidence "), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("; a record copied from Verbrary\n"), std::string::npos) << result.out;
}

TEST_F(DetectCli, CharsetAutoConvertsFromWhatItFindsAndSaysSo) {
  const std::string tcvn3 = Run("charset unicode tcvn3", kUtf8).out;
  const std::string file = Write("t.txt", tcvn3).string();
  const struct {
    std::string args, input, out, err;
  } cases[] = {
      {"charset auto unicode '" + file + "'", "", PlatformLines(kUtf8),
       "velmora-convert: " + file + ": read as tcvn3 (confidence 100%)"},
      {"charset AUTO unicode", tcvn3, PlatformLines(kUtf8),
       "velmora-convert: standard input: read as tcvn3"},
      {"charset auto vni", kUtf8, Run("charset unicode vni", kUtf8).out,
       "velmora-convert: standard input: read as unicode"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args;
    EXPECT_EQ(result.out, c.out) << c.args;
    EXPECT_TRUE(result.err.starts_with(c.err)) << result.err;
  }
}

TEST_F(DetectCli, WhatCannotBeToldIsRefused) {
  const struct {
    std::string args, input;
    int exitCode;
    std::string message;
  } cases[] = {
      // VISCII's «lá cờ» reads as two syllables in TCVN3 too: two words cannot tell.
      {"charset auto unicode", "l\xE1 c\xB6", 1, "too close to tell: viscii or tcvn3"},
      {"charset auto unicode", "\xE9t\xE9 \xE0 Paris, tr\xE8s beau\n", 1,
       "does not read as Vietnamese"},
      {"charset unicode auto", "", 2, "auto names FROM only"},
      {"detect --precompose", "", 2, "'detect' takes no --precompose"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
    EXPECT_EQ(result.out, "") << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

TEST_F(DetectCli, InvalidUtf8ThatReadsAsALegacyRepresentationNamesTheCommand) {
  const std::string file = Write("old.txt", Run("charset unicode vni", kUtf8).out).string();
  const RunResult result = Run("libol '" + file + "'");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("invalid UTF-8 at byte offset"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("it reads as vni text: convert it first with "
                            "'velmora-convert charset vni unicode " +
                            file + "'"),
            std::string::npos)
      << result.err;
  // Bytes that read as nothing get no hint.
  EXPECT_EQ(Run("libol", "\xFF\xFE\xFF x").err.find("reads as"), std::string::npos);
}

}  // namespace
}  // namespace velmora::cli
