// Prints the text on the Windows clipboard as UTF-8 (nothing when there is
// none), as a Windows program sees it; with --formats, the names of the
// formats on it instead, one per line. The real-window test waits with it
// until Wine has taken in what xclip put on the X clipboard, so that Wine
// does not take it in only after the window has written its result.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string TextOnClipboard() {
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      const int size = WideCharToMultiByte(CP_UTF8, 0, units, -1, nullptr, 0, nullptr, nullptr);
      if (size > 1) {
        text.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, units, -1, text.data(), size, nullptr, nullptr);
        text.pop_back();  // the terminating NUL
      }
      GlobalUnlock(data);
    }
  }
  return text;
}

// Registered formats by name, the predefined ones by number.
std::string FormatsOnClipboard() {
  std::string names;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    char name[256];
    if (GetClipboardFormatNameA(format, name, sizeof name) > 0) {
      names += name;
    } else {
      names += std::to_string(format);
    }
    names += '\n';
  }
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  if (!OpenClipboard(nullptr)) return 1;
  const bool formats = argc > 1 && std::strcmp(argv[1], "--formats") == 0;
  const std::string out = formats ? FormatsOnClipboard() : TextOnClipboard();
  CloseClipboard();
  _setmode(_fileno(stdout), _O_BINARY);  // no CR added before each LF
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
