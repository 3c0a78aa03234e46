#include "FrmMain/Win32/ConsoleText.h"

#include <string>

#include "FrmMain/Messages.h"
#include "FrmMain/Win32/Win32Ports.h"
#include "FrmMain/Win32/WindowsApi.h"

namespace velmora::frmmain::win32 {
namespace {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// A console takes CRLF; a file or pipe gets the platform's line breaks too.
std::string WithCrlf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool WriteAll(HANDLE handle, const std::string& bytes) {
  DWORD written = 0;
  return ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

bool WriteToStandardStream(std::string_view utf8, Stream stream) {
  const std::string text = WithCrlf(utf8);
  // A stream handed down by the caller: cmd's > or |, or Wine's own.
  const HANDLE given =
      ::GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (given == nullptr || given == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (::GetConsoleMode(given, &mode)) {
    const std::wstring wide = Wide(text);
    DWORD written = 0;
    return ::WriteConsoleW(given, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  }
  return WriteAll(given, text);
}

void WriteForUser(std::string_view utf8, Stream stream) {
  if (WriteToStandardStream(utf8, stream)) return;
  const std::string text = WithCrlf(utf8);
  // The console of the program that started this one.
  if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
    const HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
      const std::wstring wide = Wide(text);
      DWORD written = 0;
      const bool done =
          ::WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
      ::CloseHandle(console);
      ::FreeConsole();
      if (done) return;
    } else {
      ::FreeConsole();
    }
  }
  ::MessageBoxW(nullptr, Wide(utf8).c_str(), ToWide(kApplicationTitle).c_str(),
                MB_OK | (stream == Stream::Error ? MB_ICONERROR : 0));
}

}  // namespace velmora::frmmain::win32
