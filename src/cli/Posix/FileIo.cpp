#include "cli/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velmora::cli {
namespace {

bool WriteFully(int fd, std::string_view bytes, std::string& error) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool AppendRead(int fd, std::size_t bytes, std::string& buffer, bool& endOfInput,
                std::string& error) {
  const std::size_t old = buffer.size();
  buffer.resize(old + bytes);
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data() + old, bytes);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      buffer.resize(old);
      error = std::strerror(errno);
      return false;
    }
    buffer.resize(old + static_cast<std::size_t>(got));
    if (got == 0) endOfInput = true;
    return true;
  }
}

int OpenInput(std::string_view path, std::string& error) {
  if (path.empty() || path == "-") return STDIN_FILENO;
  const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    error = std::strerror(EISDIR);
    return -1;
  }
  return fd;
}

InputCloser::~InputCloser() {
  if (fd >= 0 && fd != STDIN_FILENO) ::close(fd);
}

bool WriteStdout(std::string_view bytes, std::string& error) {
  return WriteFully(STDOUT_FILENO, bytes, error);
}

AtomicOutputFile::~AtomicOutputFile() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool AtomicOutputFile::Open(const std::string& path, std::string& error) {
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  // mkstemp makes the file private; give it the mode a new file would get.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  ::close(fd);
  path_ = path;
  temporary_ = std::move(temporary);
  stream_.open(temporary_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

bool AtomicOutputFile::MoveIntoPlace(std::string& error) {
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace velmora::cli
