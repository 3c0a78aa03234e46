// velmora-convert ilib, hue and marcedit end to end: the real binary on the
// bundled sample records and on short records given on standard input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/CliFixture.h"

#include "reference/LiteralIlibHueMarcEdit.h"
#include "Encodings/Utf8.h"

namespace {

namespace fs = std::filesystem;

using IlibHueMarcEditCli = velmora::test::CliTest;
using velmora::test::RunResult;

using velmora::test::ReadFile;

// What the export gives for `record`, by the literal 999-pass export, with
// line breaks as velmora-convert writes them.
std::string LiteralExport(const std::string& record) {
  using namespace velmora;
  const Text lines = reference::LiteralMarcEditExport(*DecodeUtf8(record, nullptr));
  return EncodeUtf8(Replace(lines, kCrlf, u"\n"));
}

TEST_F(IlibHueMarcEditCli, ShortRecordsFromStandardInput) {
  const struct {
    const char* args;
    std::string input, output;
  } cases[] = {
      {"hue", "24510  aTitle\n245  bSub", "245=##$aTitle$bSub"},
      {"hue --working", "24510  aTitle\r\n245  bSub", "245=10$aTitle%245=$bSub"},
      {"marcedit", "245=00$aTitle%020=##$a123", "=245  00$aTitle\n=020  ##$a123"},
      {"marcedit", "100=1#$aA 1999=B", "=100  1#$aA 1999=B"},
      {"ilib --working", "245\t10\ta\tTitle\tb\tSub", "245=10$aTitle$bSub"},
      {"ilib --working", "245\t10\tb\ta\ta\tx\n", "245=10$ba$ax"},
      {"ilib", "245\t10\ta\tTitle\tb\tSub", "245=00$aTitle$bSub"},
      {"ilib", "", ""},
  };
  for (const auto& c : cases) {
    RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << c.args << ": " << result.err;
    EXPECT_EQ(result.out, c.output) << c.args;
    EXPECT_EQ(result.err, "");
  }
  RunResult refused = Run("marcedit --working", "245=00$aT");
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("'marcedit' has no --working"), std::string::npos) << refused.err;
}

// The samples hold Vietnamese letters precomposed and as a base letter with
// a combining mark (ê + U+0303 in «Nguyễn», o + U+0323 in «học»), and iLib
// values that end in a code letter («xanh», «tranh»).
TEST_F(IlibHueMarcEditCli, BundledSamplesConvertAndExport) {
  const fs::path examples(VELMORA_EXAMPLES);
  for (const std::string source : {"ilib", "hue"}) {
    RunResult record = Run(source + " '" + (examples / (source + ".txt")).string() + "'");
    EXPECT_EQ(record.exitCode, 0) << source << ": " << record.err;
    EXPECT_EQ(record.out, ReadFile(examples / (source + ".expected.txt"))) << source;
    EXPECT_NE(record.out.find("Nguy\xC3\xAA\xCC\x83n"), std::string::npos) << source;
    EXPECT_NE(record.out.find("\xCC\xA3"), std::string::npos) << source;  // U+0323

    RunResult lines = Run("marcedit", record.out);
    EXPECT_EQ(lines.exitCode, 0) << source << ": " << lines.err;
    EXPECT_EQ(lines.out, LiteralExport(record.out)) << source;
    EXPECT_EQ(lines.out.rfind(source == "hue" ? "=245  ##$a" : "=245  00$a", 0), 0u);
    EXPECT_NE(lines.out.find("\n=650  ##$aV\xC4\x83n ho\xCC\xA3"), std::string::npos) << source;
  }
  RunResult libol = Run("marcedit '" + (examples / "libol.expected.txt").string() + "'");
  EXPECT_EQ(libol.exitCode, 0) << libol.err;
  EXPECT_EQ(libol.out, ReadFile(examples / "marcedit.expected.txt"));
  EXPECT_EQ(libol.out, LiteralExport(ReadFile(examples / "libol.expected.txt")));
}

}  // namespace
