// velmora-convert pre-unicode and charset FROM TO end to end, and the 8-bit
// codecs under them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/CharsetCommand.h"
#include "support/CliFixture.h"
#include "Encodings/EightBit.h"
#include "ModMain/VietnameseLetters.h"

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;

using CharsetCli = test::CliTest;
using test::RunResult;

// «Đường» in each file form.
const std::string kDuongUtf8 = "\xC4\x90\xC6\xB0\xE1\xBB\x9Dng";
const std::string kDuongVni = "\xD1\xF6\xF4\xF8ng";
const std::string kDuongTcvn3 = "\xA7\xAD\xEAng";
const std::string kDuongCp1258 = "\xD0\xFD\xF5\xCCng";  // real Windows-1258: Đ ư ơ, grave

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
    EXPECT_EQ(result.out, c.output);
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
      {"charset VNI Unicode", kDuongVni, kDuongUtf8},
      {"charset unicode tcvn3", kDuongUtf8, kDuongTcvn3},
      {"charset tcvn3 unicode", "\xB5\xFE", "\xC3\xA0\xE1\xBB\xB5"},  // à ỵ
      {"charset unicode cp1258", kDuongUtf8, kDuongCp1258},
      {"charset cp1258 unicode", kDuongCp1258, kDuongUtf8},
      {"charset vni cp1258", kDuongVni, kDuongCp1258},
      {"charset unicode nomarks", kDuongUtf8, "Duong"},
      {"charset vni tcvn3", "a\r\nb\rc\n" + kDuongVni, "a\nb\nc\n" + kDuongTcvn3},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, c.output) << c.args;
  }
}

TEST_F(CharsetCli, EightBitFilesComeBackByteForByte) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != '\r' && byte != '\n') everyByte.push_back(static_cast<char>(byte));
  }
  for (const char* form : {"vni", "tcvn3", "cp1258"}) {
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
      {"charset unicode vni", "a\xE2\x82\xAC", "line 1, column 2: U+20AC cannot be written in vni"},
      // The place is the input's: ầ before it is one character there.
      {"charset unicode vni", "ab\r\nx\xE1\xBA\xA7\xE4\xB8\xAD", "line 2, column 3: U+4E2D"},
      {"charset unicode tcvn3", "a\xCC\x80\xCC\x80", "line 1, column 3: U+0300"},
      {"charset unicode cp1258", "\xF0\x9F\x98\x80", "line 1, column 1: U+1F600"},
      {"charset cp1258 vni", "x\n\x8A", "line 2, column 1: U+0160"},  // Š of Windows-1250
      {"charset vni cp1258", "\xC3", "line 1, column 1: U+00C3 cannot be written in cp1258"},
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
      {"charset vni unicode --working", "'charset' has no --working"},
      {"pre-unicode --working", "'pre-unicode' has no --working"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.args;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

// The letter tables hold a Windows-1258 byte as the character Windows-1250
// gives it, so the files' codec and the tables must agree.
TEST(EightBit, Windows1250AgreesWithTheLetterTablesStandIns) {
  for (const Cp1258StandIn& standIn : kCp1258StandIns) {
    const std::string byte(1, static_cast<char>(standIn.byte));
    EXPECT_EQ(DecodeEightBit(byte, ByteForm::Windows1250), Text(1, standIn.standIn))
        << std::hex << int{standIn.byte};
  }
}

TEST(EightBit, EveryByteDecodesAndEncodesBack) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte.push_back(static_cast<char>(byte));
  for (const ByteForm form : {ByteForm::CodeUnits, ByteForm::Windows1250}) {
    const Text text = DecodeEightBit(everyByte, form);
    std::string bytes;
    std::size_t unwritable = 0;
    ASSERT_TRUE(EncodeEightBit(text, form, bytes, unwritable));
    EXPECT_EQ(bytes, everyByte);
  }
  const Text text = DecodeEightBit("\x80\x81\x8A\xA0\xFF", ByteForm::Windows1250);
  EXPECT_EQ(text, u"\u20AC\u0081\u0160\u00A0\u02D9");  // € <unassigned> Š NBSP ˙
  std::string bytes;
  std::size_t unwritable = 0;
  EXPECT_FALSE(EncodeEightBit(u"ab\u0100", ByteForm::CodeUnits, bytes, unwritable));
  EXPECT_EQ(unwritable, 2u);
  EXPECT_FALSE(EncodeEightBit(u"\u00C3", ByteForm::Windows1250, bytes, unwritable));  // Ã
  EXPECT_EQ(unwritable, 0u);
}

}  // namespace
}  // namespace velmora::cli
