// Prints the text on the Windows clipboard as UTF-8 (nothing when there is
// none), as a Windows program sees it. The real-window test waits with it
// until Wine has taken in what xclip put on the X clipboard, so that Wine
// does not take it in only after the window has written its result.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  if (!OpenClipboard(nullptr)) return 1;
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
  CloseClipboard();
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
