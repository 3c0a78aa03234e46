// Replays a harness's committed inputs without libFuzzer: every file in the
// folders (or files) named on the command line is fed to the harness once,
// so a saved reproducer fails the ordinary test suite.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return 1;
  }
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        failures += Replay(entry.path());
        ++replayed;
      }
    } else {
      failures += Replay(path);
      ++replayed;
    }
  }
  std::printf("replayed %zu inputs\n", replayed);
  return failures == 0 && replayed > 0 ? 0 : 1;
}
