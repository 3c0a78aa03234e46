#include "support/ChildProcess.h"

// windows.h first: psapi.h takes its types from it.
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace velmora::test {
namespace {

// One word of a Windows command line, as the C runtime splits it back:
// quoted, a quote escaped, and the backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& word) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

std::wstring Widen(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

// A file handle the child inherits as one of its standard streams.
class InheritedFile {
 public:
  InheritedFile(const std::filesystem::path& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    handle_ = ::CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path.string());
  }
  ~InheritedFile() { ::CloseHandle(handle_); }
  InheritedFile(const InheritedFile&) = delete;
  InheritedFile& operator=(const InheritedFile&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

ChildRun RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::filesystem::path& input, const std::filesystem::path& output,
                  const std::filesystem::path& errors) {
  std::wstring commandLine = Quoted(program.wstring());
  for (const std::string& arg : args) commandLine += L" " + Quoted(Widen(arg));

  const InheritedFile in(input, false), out(output, true), err(errors, true);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.Get();
  startup.hStdOutput = out.Get();
  startup.hStdError = err.Get();
  PROCESS_INFORMATION process{};
  const auto start = std::chrono::steady_clock::now();
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process)) {
    throw std::runtime_error("cannot start " + program.string());
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ChildRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  DWORD exitCode = 0;
  if (::GetExitCodeProcess(process.hProcess, &exitCode)) run.exitCode = static_cast<int>(exitCode);
  PROCESS_MEMORY_COUNTERS memory{};
  if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
    run.peakRssKb = static_cast<long>(memory.PeakWorkingSetSize / 1024);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return run;
}

void SetVariable(const char* name, const char* value) {
  ::_putenv_s(name, value != nullptr ? value : "");  // "" removes it
}

}  // namespace velmora::test
