// velmora-convert pre-unicode and charset FROM TO end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CharsetCommand.h"
#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;

using CharsetCli = test::CliTest;
using test::RunResult;

// «Đường» in each file form.
const std::string kDuongUtf8 = "\xC4\x90\xC6\xB0\xE1\xBB\x9Dng";
const std::string kDuongVni = "\xD1\xF6\xF4\xF8ng";
const std::string kDuongTcvn3 = "\xA7\xAD\xEAng";
const std::string kDuongCp1258 = "\xD0\xFD\xF5\xCCng";  // Đ ư ơ, grave
const std::string kDuongViscii = "\xD0\xDF\xB6ng";
const std::string kDuongTcvn5712 = "\xA7\xAD\xEAng";  // VN1 and VN3 agree on these
const std::string kDuongDecomposed = "\xC4\x90u\xCC\x9Bo\xCC\x9B\xCC\x80ng";

TEST_F(CharsetCli, PreUnicodeJoinsToneMarksAndNothingElse) {
  const struct {
    std::string input, output;
  } cases[] = {
      {"Vi\xC3\xAA\xCC\xA3t Nam", "Vi\xE1\xBB\x87t Nam"},  // ê + U+0323 -> ệ (E1 BB 87)
      {"Vi\xE1\xBB\x87t Nam\r\n$a\t" + kDuongUtf8, "Vi\xE1\xBB\x87t Nam\n$a\t" + kDuongUtf8},
      {"b\xCC\x80"
       "a",
       "b\xCC\x80"
       "a"},  // a grave before «a» is no letter
      {"", ""},
  };
  for (const auto& c : cases) {
    const RunResult result = Run("pre-unicode", c.input);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, test::PlatformLines(c.output));
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(CharsetCli, ConvertsFilesBetweenRepresentations) {
  const struct {
    std::string args, input, output;
  } cases[] = {
      {"charset unicode vni", kDuongUtf8, kDuongVni},
      {"charset vni unicode", kDuongVni, kDuongUtf8},
      {"charset 1 2", kDuongUtf8, kDuongVni},
      {"charset VNI Utf-8", kDuongVni, kDuongUtf8},
      {"charset unicode tcvn3", kDuongUtf8, kDuongTcvn3},
      {"charset tcvn3 unicode", "\xB5\xFE", "\xC3\xA0\xE1\xBB\xB5"},  // à ỵ
      {"charset unicode cp1258", kDuongUtf8, kDuongCp1258},
      {"charset windows-1258 unicode", kDuongCp1258, kDuongUtf8},
      {"charset vni cp1258", kDuongVni, kDuongCp1258},
      {"charset unicode nomarks", kDuongUtf8, "Duong"},
      {"charset vni tcvn3", "a\r\nb\rc\n" + kDuongVni, "a\nb\nc\n" + kDuongTcvn3},
      {"charset utf8 viscii", kDuongUtf8, kDuongViscii},
      {"charset VISCII tcvn", kDuongViscii, kDuongTcvn5712},
      {"charset tcvn5712-1 unicode", "\xA7\xAD\xEA\xB0", "\xC4\x90\xC6\xB0\xE1\xBB\x9D\xCC\x80"},
      {"charset unicode viqr", kDuongUtf8 + ".", "DDu+o+`ng."},
      {"charset viqr vni", "DDu+o+`ng\\.", kDuongVni + "."},
      {"charset unicode unicode-decomposed", kDuongUtf8, kDuongDecomposed},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, test::PlatformLines(c.output)) << c.args;
  }
}

// What legacy files hold beyond the letters: Windows-1258's precomposed
// letters, Windows-1252 punctuation in VNI and TCVN3 files, TCVN3's shared
// codes for toned capitals (said on standard error, exit status 0).
TEST_F(CharsetCli, LegacyFilesReadAsTheirCodePages) {
  const struct {
    std::string args, input, output, err;
  } cases[] = {
      {"charset cp1258 unicode", "H\xE0 \xC0\xC8\xD9\xE8\xF9",
       "H\xC3\xA0 \xC3\x80\xC3\x88\xC3\x99\xC3\xA8\xC3\xB9", ""},
      {"charset vni unicode", "\x93th\xF4\x94 \x96 \x85",
       "\xE2\x80\x9Cth\xC6\xA1\xE2\x80\x9D \xE2\x80\x93 \xE2\x80\xA6", ""},
      {"charset tcvn3 unicode", "\x91\xB5\x92", "\xE2\x80\x98\xC3\xA0\xE2\x80\x99", ""},
      {"charset unicode vni", "\xE2\x80\x9C\xE2\x82\xAC\xE2\x80\x9D", "\x93\x80\x94", ""},
      {"charset unicode tcvn3", "\xC3\x80 \xC3\xA0 \xE1\xBB\xB4", "\xB5 \xB5 \xFE",
       "velmora-convert: 2 capitals with tone marks written with TCVN3's lowercase codes\n"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, test::PlatformLines(c.output)) << c.args;
    EXPECT_EQ(result.err, c.err) << c.args;
  }
}

TEST_F(CharsetCli, EightBitFilesComeBackByteForByte) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != '\r' && byte != '\n') everyByte.push_back(static_cast<char>(byte));
  }
  for (const char* form : {"vni", "tcvn3", "cp1258", "viscii", "tcvn5712-1"}) {
    const RunResult result = Run(std::string("charset ") + form + " " + form, everyByte);
    EXPECT_EQ(result.exitCode, 0) << form;
    EXPECT_EQ(result.out, everyByte) << form;
  }
}

TEST_F(CharsetCli, UnwritableCharacterIsNamedWithItsPlaceAndNothingWritten) {
  const fs::path output = dir_ / "out.txt";
  const struct {
    std::string args, input, message;
  } cases[] = {
      {"charset unicode vni", "a\xE4\xB8\xAD", "line 1, column 2: U+4E2D cannot be written in vni"},
      // The place is the input's: ầ before it is one character there.
      {"charset unicode vni", "ab\r\nx\xE1\xBA\xA7\xE4\xB8\xAD", "line 2, column 3: U+4E2D"},
      {"charset unicode tcvn3", "a\xCC\x80\xCC\x80", "line 1, column 3: U+0300"},
      {"charset unicode cp1258", "\xF0\x9F\x98\x80", "line 1, column 1: U+1F600"},
      {"charset cp1258 vni", "x\n\x8A", "line 2, column 1: U+008A"},  // open in Windows-1258
      {"charset unicode viscii", "\xC4\x9A",
       "line 1, column 1: U+011A cannot be written in viscii"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args + " -o '" + output.string() + "'", c.input);
    EXPECT_EQ(result.exitCode, 1) << c.args;
    EXPECT_NE(result.err.find("standard input: " + c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(fs::exists(output)) << c.args;
  }
  EXPECT_EQ(Run("charset unicode vni", "\xFF").exitCode, 1);  // not UTF-8
}

TEST_F(CharsetCli, LeavingOutCountsWhatTheTargetCannotHold) {
  const RunResult result = Run("charset -c unicode viscii",
                               "a\xE4\xB8\xAD"
                               "b\xE2\x82\xAC");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "ab");
  EXPECT_EQ(result.err,
            "velmora-convert: 2 characters that viscii cannot hold left out (the first: U+4E2D)\n");
  EXPECT_EQ(Run("charset unicode viqr -c", "\xC3\xA7").out, "");  // after the operands too
}

TEST_F(CharsetCli, ListsRepresentationsWithTheirAliases) {
  const RunResult result = Run("charset --list");
  EXPECT_EQ(result.exitCode, 0);
  for (const char* line : {"unicode 1 utf-8", "cp1258 4 windows-1258", "viscii", "tcvn5712-1",
                           "viqr", "unicode-decomposed"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line;
  }
  EXPECT_NE(Run("--help").out.find("tcvn5712-1"), std::string::npos);
}

// A UTF-16 file with a byte order mark (Notepad's "Unicode") is read as
// UTF-16 by every command.
TEST_F(CharsetCli, EveryCommandReadsUtf16WithByteOrderMark) {
  const auto utf16le = [](std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) bytes += std::string(1, c) + '\0';
    return bytes;
  };
  const std::string record = "245    10$aTitle\r\n100    1 $aAuthor";
  EXPECT_EQ(Run("libol", utf16le(record)).out, Run("libol", record).out);
  const std::string batch = record + "\r\n\r\n" + record;
  EXPECT_EQ(Run("libol --batch", utf16le(batch)).out, Run("libol --batch", batch).out);
  EXPECT_EQ(Run("pre-unicode", utf16le("Vie\r\nt")).out, test::PlatformLines("Vie\nt"));
  EXPECT_EQ(Run("charset unicode vni", utf16le("e")).out, "e");
  EXPECT_EQ(Run("charset viqr unicode", utf16le("a`")).out, "\xC3\xA0");
}

// UTF-16 saved without its byte order mark reads as UTF-8 text with a NUL
// after each ASCII letter: every command that reads Unicode text names it
// and the next step instead of converting it or naming a byte offset. Text
// that merely holds NULs is no UTF-16.
TEST_F(CharsetCli, Utf16WithoutByteOrderMarkIsNamed) {
  const std::string record =
      "245    10$aTi\xE1\xBA\xBFng Vi\xE1\xBB\x87t\r\n100    1 $aNguy\xE1\xBB\x85n\r\n";
  const std::u16string units = u"245    10$aTi\u1EBFng Vi\u1EC7t\r\n100    1 $aNguy\u1EC5n\r\n";
  std::string littleEndian, bigEndian;
  for (const char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    littleEndian += std::string{low, high};
    bigEndian += std::string{high, low};
  }
  const struct {
    const std::string* bytes;
    const char* form;
  } forms[] = {{&littleEndian, "UTF-16LE"}, {&bigEndian, "UTF-16BE"}};
  for (const auto& form : forms) {
    const std::string message = std::string("standard input: looks like ") + form.form +
                                " without a byte order mark: save it as UTF-8 or with a byte order "
                                "mark (iconv -f " +
                                form.form + " -t UTF-8 converts it)\n";
    for (const char* command : {"libol", "libol --batch", "libol --format iso2709", "marcedit",
                                "marcedit --batch", "pre-unicode", "pre-unicode --precompose",
                                "charset unicode vni", "charset auto unicode"}) {
      const RunResult result = Run(command, *form.bytes);
      EXPECT_EQ(result.exitCode, 1) << command << ", " << form.form;
      EXPECT_EQ(result.out, "") << command << ", " << form.form;
      EXPECT_NE(result.err.find(message), std::string::npos)
          << command << ", " << form.form << ": " << result.err;
    }
    // An 8-bit file is any bytes: charset reads it as FROM says.
    EXPECT_EQ(Run("charset vni unicode", *form.bytes).exitCode, 0) << form.form;
  }
  using namespace std::string_literals;
  const std::string withNuls = "245    10$aA\0B\r\n100    1 $aC\0\r\n"s + record;
  const RunResult nuls = Run("libol", withNuls);
  EXPECT_EQ(nuls.exitCode, 0) << nuls.err;
  EXPECT_EQ(nuls.err.find("UTF-16"), std::string::npos) << nuls.err;
}

// Long input is converted in blocks that end at a line break: the result is
// the same as converting it whole.
TEST_F(CharsetCli, BlocksOfLongInputConvertAsTheWhole) {
  std::string input;
  for (int line = 0; input.size() < 3'500'000; ++line) {
    input += std::string(line % 97, 'a') + kDuongVni + "a\xF8" + (line % 3 == 0 ? "\r\n" : "\n");
  }
  std::string whole, error, notes;
  ASSERT_TRUE(RunCharset(input, encodings::Representation::Vni, encodings::Representation::Unicode,
                         {}, whole, error, notes));
  const std::string file = Write("in.txt", input).string();
  const RunResult result = Run("charset vni unicode " + file + " " + file);  // one after another
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.out == test::PlatformLines(whole + whole));
}

TEST_F(CharsetCli, UsageErrorsExitTwo) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"charset foo unicode", "unknown representation 'foo'"},
      {"charset unicode 6", "unknown representation '6'"},
      {"charset 0 1", "unknown representation '0'"},
      {"charset vni", "charset needs FROM and TO"},
      {"charset", "charset needs FROM and TO"},
      {"charset unicode-decomposed unicode", "unicode-decomposed is written only"},
      {"charset vni unicode --working", "'charset' has no --working"},
      {"pre-unicode --working", "'pre-unicode' has no --working"},
      {"pre-unicode -c", "'pre-unicode' takes no -c"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.args;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

}  // namespace
}  // namespace velmora::cli
