#include "cli/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace velmora::cli {

bool WriteAll(int fd, std::string_view bytes, std::string& error) {
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

std::optional<std::size_t> RegularFileSize(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::size_t>(info.st_size);
}

InputCloser::~InputCloser() {
  if (fd >= 0 && fd != STDIN_FILENO) ::close(fd);
}

bool WriteStdout(std::string_view bytes, std::string& error) {
  return WriteAll(STDOUT_FILENO, bytes, error);
}

int StandardOutput() {
  return STDOUT_FILENO;
}

namespace {

// The temporary file of the output being written, for the signal handler:
// a fixed buffer, since a handler may not allocate.
char pendingTemporary[4096];
volatile std::sig_atomic_t havePendingTemporary = 0;

extern "C" void RemoveTemporaryAndDie(int signal) {
  if (havePendingTemporary != 0) ::unlink(pendingTemporary);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void RemoveTemporaryOnSignals(const std::string& temporary) {
  if (temporary.size() >= sizeof pendingTemporary) return;
  std::memcpy(pendingTemporary, temporary.c_str(), temporary.size() + 1);
  havePendingTemporary = 1;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, RemoveTemporaryAndDie);
}

void ForgetTemporary() {
  havePendingTemporary = 0;
}

// Where a symbolic link leads, followed to its end (also when that end does
// not exist yet); `path` itself when it is no link.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return path;
    target.resize(static_cast<std::size_t>(length));
    if (!target.empty() && target[0] != '/') {
      const std::size_t slash = path.rfind('/');
      if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
    }
    path = std::move(target);
  }
  return path;
}

// The process's own streams and the devices live there.
bool IsSystemPath(const std::string& path) {
  return path.starts_with("/dev/") || path.starts_with("/proc/");
}

}  // namespace

AtomicOutputFile::~AtomicOutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (temporary_.empty()) return;
  ::unlink(temporary_.c_str());
  ForgetTemporary();
}

bool AtomicOutputFile::Close(std::string& error) {
  if (fd_ < 0) return true;
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0 && errno != EINTR) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

bool AtomicOutputFile::Open(const std::string& path, std::string& error) {
  path_ = FollowLinks(path);
  struct stat target {};
  const bool exists = ::stat(path_.c_str(), &target) == 0;
  if (IsSystemPath(path) || IsSystemPath(path_) || (exists && !S_ISREG(target.st_mode))) {
    if (exists && S_ISDIR(target.st_mode)) {
      error = std::strerror(EISDIR);
      return false;
    }
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      error = std::strerror(errno);
      return false;
    }
    stream_.Attach(fd_);
    return true;
  }
  std::string temporary = path_ + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  temporary_ = std::move(temporary);
  RemoveTemporaryOnSignals(temporary_);
  if (exists) {
    // The replaced file's mode and, where allowed, its owner.
    ::fchmod(fd, target.st_mode & 07777);
    if (::fchown(fd, target.st_uid, target.st_gid) != 0) {
      // Not allowed to give the file away: it stays ours.
    }
    copyIntoPlace_ = target.st_nlink > 1;
  } else {
    // mkstemp makes the file private; give it the mode a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  fd_ = fd;
  stream_.Attach(fd_);
  return true;
}

bool AtomicOutputFile::MoveIntoPlace(std::string& error) {
  if (temporary_.empty()) return true;  // written in place
  if (copyIntoPlace_) {
    // Every hard link goes on naming the file: its content is replaced.
    std::string bytes;
    if (!ReadAll(temporary_, bytes, error)) return false;
    const int fd = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
      error = std::strerror(errno);
      return false;
    }
    const bool written = WriteAll(fd, bytes, error);
    if (::close(fd) != 0 && written) {
      error = std::strerror(errno);
      return false;
    }
    if (!written) return false;
    ::unlink(temporary_.c_str());
  } else if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    error = std::strerror(errno);
    return false;
  }
  ForgetTemporary();
  return true;
}

}  // namespace velmora::cli
