// Running velmora-convert as a child process on large inputs: the input from
// a file, the output to a file, and what the run cost (wall time, peak
// resident memory).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::hostile {

struct CliRun {
  int exitCode = -1;      // -1 when the child did not exit normally
  double seconds = 0;     // wall time
  long peakRssKb = 0;     // the child's peak resident set
};

// Runs VELMORA_CONVERT with `args`, standard input from `input`, standard
// output into `output` and standard error into `errors`.
CliRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& input,
              const std::filesystem::path& output, const std::filesystem::path& errors);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder under the temporary directory, removed with the object.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// How much slower this build runs than a plain optimised one: the sanitizer
// builds get more time before a run counts as too slow.
double SlowdownOfThisBuild();

// Whether peak memory means anything in this build: AddressSanitizer's
// shadow memory and quarantine dwarf what the program itself uses.
bool MeasuresMemory();

}  // namespace velmora::hostile
