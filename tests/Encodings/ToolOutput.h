// Runs one of the system's tools on bytes, for the tests that check our
// conversions against independent ones (yaz-iconv, Perl's MARC::Charset) or
// read a packaged file through one (bzcat).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

struct ToolOutput {
  int exitCode = -1;
  std::string out, errors;
};

// `program` (a full path) run with `args` on `input`; nullopt when the
// program is not installed.
std::optional<ToolOutput> RunTool(const std::filesystem::path& program,
                                  const std::vector<std::string>& args, std::string_view input);

}  // namespace velmora::test
