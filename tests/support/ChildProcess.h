// Running a program as a child process for end-to-end tests: its standard
// streams from and to files, its exit status, and what the run cost.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

struct ChildRun {
  int exitCode = -1;   // -1 when the child did not exit normally
  double seconds = 0;  // wall time
  long peakRssKb = 0;  // the child's peak resident set
};

// Runs `program` with `args`, standard input from `input`, standard output
// into `output` and standard error into `errors`.
ChildRun RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::filesystem::path& input, const std::filesystem::path& output,
                  const std::filesystem::path& errors);

// Sets an environment variable of this process, which the children it starts
// inherit; nullptr removes it.
void SetVariable(const char* name, const char* value);

// The words of a shell-like command line: split at spaces, 'single quotes'
// keep spaces in a word («-o 'a b.txt'» is two words).
std::vector<std::string> ShellWords(std::string_view line);

}  // namespace velmora::test
