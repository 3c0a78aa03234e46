#include "FileIo.h"

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

bool ReadFully(int fd, std::string& bytes, std::string& error) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return false;
    }
    if (got == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

bool ReadAll(std::string_view path, std::string& bytes, std::string& error) {
  bytes.clear();
  if (path.empty() || path == "-") return ReadFully(STDIN_FILENO, bytes, error);
  const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    error = std::strerror(EISDIR);
    return false;
  }
  const bool ok = ReadFully(fd, bytes, error);
  ::close(fd);
  return ok;
}

bool WriteStdout(std::string_view bytes, std::string& error) {
  return WriteFully(STDOUT_FILENO, bytes, error);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
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
  bool ok = WriteFully(fd, bytes, error);
  if (ok && ::fsync(fd) != 0) ok = false, error = std::strerror(errno);
  if (::close(fd) != 0 && ok) ok = false, error = std::strerror(errno);
  if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false, error = std::strerror(errno);
  }
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace velmora::cli
