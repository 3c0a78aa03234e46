// velmora-convert marcedit end to end: the output record of every sample as
// MarcEdit lines, equal to the literal 999-pass export.
#include <gtest/gtest.h>

#include <string>

#include "Encodings/Utf8.h"
#include "ModMain/Records/MarcEditSteps.h"
#include "ModMain/Records/Sources.h"
#include "reference/LiteralSteps.h"
#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace velmora::test {
namespace {

using MarcEditCli = CliTest;

// What the literal export gives for `record`, with line breaks as
// velmora-convert writes them.
std::string LiteralExport(const std::string& record) {
  const Text lines = reference::RunStepsLiterally(*encodings::DecodeUtf8(record, nullptr),
                                                  records::kMarcEditSteps);
  return encodings::EncodeUtf8(text::Replace(lines, text::kCrlf, text::kPlatformLineBreakText));
}

TEST_F(MarcEditCli, EverySampleRecordExportsAsTheLiteralExportDoes) {
  for (const records::SourceSystem& source : records::Sources()) {
    const std::string record = ReadFile(ExamplePath(std::string(source.sample) + ".expected.txt"));
    const RunResult lines = Run("marcedit", record);
    EXPECT_EQ(lines.exitCode, 0) << source.name << ": " << lines.err;
    EXPECT_EQ(lines.out, LiteralExport(record)) << source.name;
    EXPECT_EQ(lines.out.rfind("=245  ", 0), 0u) << source.name;
  }
  const RunResult libol = Run("marcedit " + Example("libol.expected.txt"));
  EXPECT_EQ(libol.out, PlatformLines(ReadFile(ExamplePath("marcedit.expected.txt"))));
}

TEST_F(MarcEditCli, OnlyATagAtAFieldsStartMoves) {
  const struct {
    const char* input;
    const char* lines;
  } cases[] = {
      {"245=00$aTitle%020=##$a123", "=245  00$aTitle\n=020  ##$a123"},
      {"100=1#$aA 1999=B", "=100  1#$aA 1999=B"},
  };
  for (const auto& c : cases) {
    const RunResult result = Run("marcedit", c.input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, PlatformLines(c.lines)) << c.input;
  }
}

}  // namespace
}  // namespace velmora::test
