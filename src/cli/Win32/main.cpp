// velmora-convert's entry point on Windows: the command line arrives as
// UTF-16, so that Vietnamese file names reach the program whole, and is
// handed on as UTF-8.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Program.h"
#include "cli/Win32/WideText.h"

namespace {

// Shows the UTF-8 that the program writes as such in a console window, and
// gives the console its own code page back afterwards.
class Utf8Console {
 public:
  Utf8Console() : previous_(::GetConsoleOutputCP()) {
    if (previous_ != 0) ::SetConsoleOutputCP(CP_UTF8);
  }
  ~Utf8Console() {
    if (previous_ != 0) ::SetConsoleOutputCP(previous_);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT previous_;  // 0 when the program has no console
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Bytes in and out as they are: no LF <-> CRLF translation by the C runtime.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.push_back(velmora::cli::Narrow(argv[i]));
  const std::vector<std::string_view> args(words.begin(), words.end());
  const Utf8Console console;
  return velmora::cli::RunProgram(args);
}
