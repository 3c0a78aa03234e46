// velmora-convert with Vietnamese file names: the input read, -o written
// through a temporary file beside the target and moved over an older file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/CliFixture.h"
#include "support/PlatformLines.h"

namespace {

namespace fs = std::filesystem;

using FileNamesCli = velmora::test::CliTest;
using velmora::test::PlatformLines;
using velmora::test::ReadFile;
using velmora::test::WriteFile;

std::string Utf8(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

// A path as the command line takes it: UTF-8, quoted.
std::string Quoted(const fs::path& path) {
  return "'" + Utf8(path.u8string()) + "'";
}

TEST_F(FileNamesCli, VietnameseNamesInAndOutAndAnOlderFileReplaced) {
  const fs::path input = dir_ / u8"B\u1EA3n ghi Vi\u1EC7t.txt";  // «Bản ghi Việt.txt»
  const fs::path output =
      dir_ / u8"K\u1EBFt qu\u1EA3 \u0111\u00E3 l\u00E0m.txt";  // «Kết quả đã làm.txt»
  // «Việt» with ê + U+0323 on one line, «Nam» on the next.
  WriteFile(input, "Vi\xC3\xAA\xCC\xA3t\nNam\n");
  WriteFile(output, "an older, longer result that must go entirely");
  const auto result = Run("pre-unicode -o " + Quoted(output) + " " + Quoted(input));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(output), PlatformLines("Vi\xE1\xBB\x87t\nNam\n"));
  // Only the two files and the fixture's own three: no temporary file left.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 5);

  const std::u8string missing = u8"Kh\u00F4ng c\u00F3.txt";  // «Không có.txt»
  const auto unreadable = Run("libol " + Quoted(dir_ / missing));
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_NE(unreadable.err.find(Utf8(missing) + ": No such file or directory"), std::string::npos)
      << unreadable.err;
}

}  // namespace
