#include "ToolOutput.h"

#include "support/ChildProcess.h"
#include "support/Files.h"

namespace velmora::test {

std::optional<ToolOutput> RunTool(const std::filesystem::path& program,
                                  const std::vector<std::string>& args, std::string_view input) {
  if (!std::filesystem::exists(program)) return std::nullopt;
  const ScratchDir dir("velmora-tool");
  WriteFile(dir / "in", std::string(input));
  ToolOutput result;
  result.exitCode = RunChild(program, args, dir / "in", dir / "out", dir / "errors").exitCode;
  result.out = ReadFile(dir / "out");
  result.errors = ReadFile(dir / "errors");
  return result;
}

}  // namespace velmora::test
