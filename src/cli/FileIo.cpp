#include "cli/FileIo.h"

namespace velmora::cli {

bool ReadAll(std::string_view path, std::string& bytes, std::string& error) {
  bytes.clear();
  const int fd = OpenInput(path, error);
  if (fd < 0) return false;
  const InputCloser closer(fd);
  constexpr std::size_t kChunk = 1 << 16;
  for (bool endOfInput = false; !endOfInput;) {
    if (!AppendRead(fd, kChunk, bytes, endOfInput, error)) return false;
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  AtomicOutputFile file;
  if (!file.Open(path, error)) return false;
  file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.Commit(error);
}

bool AtomicOutputFile::Commit(std::string& error) {
  stream_.close();
  if (!stream_) {
    error = "cannot write the temporary file";
    return false;
  }
  if (!MoveIntoPlace(error)) return false;
  temporary_.clear();
  return true;
}

}  // namespace velmora::cli
