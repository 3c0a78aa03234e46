// Files for the tests: whole files read and written, the bundled sample
// records, and scratch folders.
#pragma once

#include <filesystem>
#include <string>

#include "ModMain/Text/Text.h"

namespace velmora::test {

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A file of examples/ ("libol.txt").
std::filesystem::path ExamplePath(const std::string& name);
// Its text, as the window's box or the command line hands it on: UTF-8
// decoded, every line break CRLF.
Text ExampleText(const std::string& name);

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

}  // namespace velmora::test
