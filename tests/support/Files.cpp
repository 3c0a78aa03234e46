#include "support/Files.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Encodings/Utf8.h"
#include "ModMain/Text/LineBreaks.h"

namespace velmora::test {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::filesystem::path ExamplePath(const std::string& name) {
  return std::filesystem::path(VELMORA_EXAMPLES) / name;
}

Text ExampleText(const std::string& name) {
  const std::optional<Text> text = encodings::DecodeUtf8(ReadFile(ExamplePath(name)), nullptr);
  if (!text || text->empty()) throw std::runtime_error("no UTF-8 text in examples/" + name);
  return text::NormaliseLineBreaks(*text);
}

ScratchDir::ScratchDir(const std::string& name)
    : path_(std::filesystem::temp_directory_path() /
            ("velmora-" + name + "-" + std::to_string(::getpid()))) {
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace velmora::test
