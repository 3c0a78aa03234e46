#include "cli/FileIo.h"

#include <algorithm>

#include "Messages/Translate.h"

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

namespace {

constexpr std::size_t kStreamBuffer = 1 << 16;

}  // namespace

DescriptorStream::Buffer::Buffer(int fd) : fd_(fd), space_(kStreamBuffer) {
  setp(space_.data(), space_.data() + space_.size());
}

bool DescriptorStream::Buffer::Flush() {
  const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(space_.data(), space_.data() + space_.size());
  if (!error_.empty()) return false;
  return pending.empty() || WriteAll(fd_, pending, error_);
}

DescriptorStream::Buffer::int_type DescriptorStream::Buffer::overflow(int_type c) {
  if (!Flush()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

std::streamsize DescriptorStream::Buffer::xsputn(const char* s, std::streamsize n) {
  const auto size = static_cast<std::size_t>(n);
  if (size <= static_cast<std::size_t>(epptr() - pptr())) {
    std::copy(s, s + size, pptr());
    pbump(static_cast<int>(n));
    return n;
  }
  // A large piece goes straight out after what is gathered.
  if (!Flush() || !WriteAll(fd_, std::string_view(s, size), error_)) return 0;
  return n;
}

int DescriptorStream::Buffer::sync() {
  return Flush() ? 0 : -1;
}

bool AtomicOutputFile::Commit(std::string& error) {
  stream_.flush();
  if (!stream_) {
    error = stream_.Error().empty() ? messages::Tr("cannot write") : stream_.Error();
    std::string ignored;
    Close(ignored);
    return false;
  }
  if (!Close(error) || !MoveIntoPlace(error)) return false;
  temporary_.clear();
  return true;
}

}  // namespace velmora::cli
