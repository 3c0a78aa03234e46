// Runs the real velmora-convert for end-to-end tests: a fresh folder per
// test, the input on standard input, the exit status and both outputs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/ChildProcess.h"
#include "support/Files.h"

namespace velmora::test {

struct RunResult {
  int exitCode;  // -1 when the program did not exit normally
  std::string out, err;
};

// An environment variable set for the programs a test runs, unset again at
// the end of the scope («SOURCE_DATE_EPOCH», for MARC output that is the same
// on every day).
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) { SetVariable(name, value); }
  ~ScopedVariable() { SetVariable(name_, nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs velmora-convert with `args` (words split at spaces, 'quoted' words
  // keep theirs), `input` on standard input.
  RunResult Run(const std::string& args, const std::string& input = "");

  // Writes `bytes` to a file in this test's folder and gives its path.
  std::filesystem::path Write(const std::string& name, const std::string& bytes);

  // A bundled sample record in examples/, quoted as Run takes it.
  static std::string Example(const std::string& name);

  std::filesystem::path dir_;
};

}  // namespace velmora::test
