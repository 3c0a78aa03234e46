#include "cli/FileIo.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/Win32/WideText.h"

namespace velmora::cli {
namespace {

// The reasons a POSIX system gives for the same failures, so that messages
// read the same on every platform; anything else in the system's words.
struct Reason {
  DWORD code;
  const char* text;
};
constexpr Reason kReasons[] = {
    {ERROR_FILE_NOT_FOUND, "No such file or directory"},
    {ERROR_PATH_NOT_FOUND, "No such file or directory"},
    {ERROR_INVALID_NAME, "No such file or directory"},
    {ERROR_BAD_NETPATH, "No such file or directory"},
    {ERROR_INVALID_DRIVE, "No such file or directory"},
    {ERROR_ACCESS_DENIED, "Permission denied"},
    {ERROR_SHARING_VIOLATION, "Permission denied"},
    {ERROR_LOCK_VIOLATION, "Permission denied"},
    {ERROR_DISK_FULL, "No space left on device"},
    {ERROR_HANDLE_DISK_FULL, "No space left on device"},
    {ERROR_WRITE_PROTECT, "Read-only file system"},
    {ERROR_INVALID_HANDLE, "Bad file descriptor"},
    {ERROR_NO_DATA, "Broken pipe"},
    {ERROR_BROKEN_PIPE, "Broken pipe"},
    {ERROR_FILENAME_EXCED_RANGE, "File name too long"},
};
constexpr const char* kIsADirectory = "Is a directory";

std::string ReasonFor(DWORD code) {
  for (const Reason& reason : kReasons) {
    if (reason.code == code) return reason.text;
  }
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring_view message(text, length);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.remove_suffix(1);
  }
  std::string reason =
      message.empty() ? messages::Format(messages::Tr("Windows error %1"), code) : Narrow(message);
  ::LocalFree(text);
  return reason;
}

std::string LastReason() {
  return ReasonFor(::GetLastError());
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The C runtime's _read and _write move at most 4 GiB less one byte a call.
constexpr std::size_t kLargestTransfer = 1u << 30;
constexpr int kStandardInput = 0, kStandardOutput = 1;

// «C:\out\records.mrc» -> «C:\out\records.mrc.k3x9qa», a name not yet taken,
// created empty so that no other run takes it.
bool CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary,
                           std::string& error) {
  constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::minstd_rand random(seed());
  std::uniform_int_distribution<std::size_t> letter(0, std::size(kLetters) - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target + L".";
    for (int i = 0; i < 6; ++i) temporary += kLetters[letter(random)];
    const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      ::CloseHandle(file);
      return true;
    }
    const DWORD code = ::GetLastError();
    if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
      error = ReasonFor(code);
      return false;
    }
  }
  error = ReasonFor(ERROR_FILE_EXISTS);
  return false;
}

}  // namespace

bool AppendRead(int fd, std::size_t bytes, std::string& buffer, bool& endOfInput,
                std::string& error) {
  const std::size_t old = buffer.size();
  buffer.resize(old + bytes);
  const int got =
      ::_read(fd, buffer.data() + old, static_cast<unsigned>(std::min(bytes, kLargestTransfer)));
  if (got < 0) {
    buffer.resize(old);
    error = std::strerror(errno);
    return false;
  }
  buffer.resize(old + static_cast<std::size_t>(got));
  if (got == 0) endOfInput = true;  // also when a pipe's writer has closed it
  return true;
}

int OpenInput(std::string_view path, std::string& error) {
  if (path.empty() || path == "-") return kStandardInput;  // binary since wmain
  const std::wstring wide = Widen(path);
  if (IsDirectory(wide)) {
    error = kIsADirectory;
    return -1;
  }
  const int fd = ::_wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) error = std::strerror(errno);
  return fd;
}

std::optional<std::size_t> RegularFileSize(int fd) {
  struct _stat64 info {};
  if (::_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return std::nullopt;
  return static_cast<std::size_t>(info.st_size);
}

InputCloser::~InputCloser() {
  if (fd >= 0 && fd != kStandardInput) ::_close(fd);
}

bool WriteAll(int fd, std::string_view bytes, std::string& error) {
  while (!bytes.empty()) {
    const int written =
        ::_write(fd, bytes.data(), static_cast<unsigned>(std::min(bytes.size(), kLargestTransfer)));
    if (written < 0) {
      error = std::strerror(errno);
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool WriteStdout(std::string_view bytes, std::string& error) {
  return WriteAll(kStandardOutput, bytes, error);
}

int StandardOutput() {
  return kStandardOutput;
}

AtomicOutputFile::~AtomicOutputFile() {
  if (fd_ >= 0) ::_close(fd_);
  if (temporary_.empty()) return;
  ::DeleteFileW(Widen(temporary_).c_str());
}

bool AtomicOutputFile::Close(std::string& error) {
  if (fd_ < 0) return true;
  const int closed = ::_close(fd_);
  fd_ = -1;
  if (closed != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

bool AtomicOutputFile::Open(const std::string& path, std::string& error) {
  std::wstring temporary;
  if (!CreateTemporaryBeside(Widen(path), temporary, error)) return false;
  path_ = path;
  temporary_ = Narrow(temporary);
  fd_ = ::_wopen(temporary.c_str(), _O_WRONLY | _O_BINARY | _O_TRUNC | _O_NOINHERIT);
  if (fd_ < 0) {
    error = std::strerror(errno);
    return false;
  }
  stream_.Attach(fd_);
  return true;
}

bool AtomicOutputFile::MoveIntoPlace(std::string& error) {
  const std::wstring target = Widen(path_);
  if (IsDirectory(target)) {
    error = kIsADirectory;
    return false;
  }
  if (!::MoveFileExW(Widen(temporary_).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = LastReason();
    return false;
  }
  return true;
}

}  // namespace velmora::cli
