#include "support/CliFixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace velmora::test {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void CliTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::temp_directory_path() / ("velmora-" + std::string(info->test_suite_name()) + "-" +
                                      info->name() + "-" + std::to_string(::getpid()));
  fs::create_directories(dir_);
}

void CliTest::TearDown() { fs::remove_all(dir_); }

fs::path CliTest::Write(const std::string& name, const std::string& bytes) {
  const fs::path path = dir_ / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string CliTest::Example(const std::string& name) {
  return "'" + (fs::path(VELMORA_EXAMPLES) / name).string() + "'";
}

RunResult CliTest::Run(const std::string& args, const std::string& input) {
  const fs::path in = Write(".stdin", input);
  const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
  const std::string command = std::string("'") + VELMORA_CONVERT + "' " + args + " <'" +
                              in.string() + "' >'" + out.string() + "' 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

}  // namespace velmora::test
