#include "support/CliFixture.h"

#include <unistd.h>

#include "support/ChildProcess.h"

namespace velmora::test {

namespace fs = std::filesystem;

void CliTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::temp_directory_path() / ("velmora-" + std::string(info->test_suite_name()) + "-" +
                                      info->name() + "-" + std::to_string(::getpid()));
  fs::create_directories(dir_);
}

void CliTest::TearDown() {
  fs::remove_all(dir_);
}

fs::path CliTest::Write(const std::string& name, const std::string& bytes) {
  const fs::path path = dir_ / name;
  WriteFile(path, bytes);
  return path;
}

std::string CliTest::Example(const std::string& name) {
  return "'" + ExamplePath(name).string() + "'";
}

RunResult CliTest::Run(const std::string& args, const std::string& input) {
  const fs::path in = Write(".stdin", input);
  const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
  const ChildRun run = RunChild(VELMORA_CONVERT, ShellWords(args), in, out, err);
  return {run.exitCode, ReadFile(out), ReadFile(err)};
}

}  // namespace velmora::test
