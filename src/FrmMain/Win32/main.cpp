// velmora.exe: the window. Copy a record in a library system, press its
// button, paste the result into the catalogue.
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FrmMain/Win32/ConsoleText.h"
#include "FrmMain/Win32/FrmMain.h"
#include "FrmMain/Win32/WindowsApi.h"
#include "FrmMain/WindowOptions.h"
#include "velmora/Version.h"

#include <shellapi.h>

namespace {

std::string Utf8(const wchar_t* wide) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

// The command line's arguments after the program's name, as UTF-8.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(Utf8(wide[i]));
  ::LocalFree(wide);
  return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  namespace frmmain = velmora::frmmain;
  using frmmain::win32::Stream;
  const std::vector<std::string> arguments = Arguments();
  const std::vector<std::string_view> args(arguments.begin(), arguments.end());
  const frmmain::WindowOptions options = frmmain::ParseWindowOptions(args, {});
  switch (options.outcome) {
    case frmmain::WindowOptions::Outcome::Help:
      frmmain::win32::WriteForUser(frmmain::WindowUsage(""), Stream::Output);
      return 0;
    case frmmain::WindowOptions::Outcome::Version:
      frmmain::win32::WriteForUser("velmora " + std::string(velmora::kVersion) + "\n",
                                   Stream::Output);
      return 0;
    case frmmain::WindowOptions::Outcome::UsageError:
      frmmain::win32::WriteForUser(frmmain::UsageErrorLine(options), Stream::Error);
      return 2;
    case frmmain::WindowOptions::Outcome::Run:
      break;
  }

  // Windows may refuse the window (out of resources, a desktop that takes
  // no windows): said where the user sees it, instead of ending unexplained.
  std::optional<frmmain::win32::FrmMain> created;
  try {
    created.emplace(instance);
  } catch (const std::exception& failure) {
    frmmain::win32::WriteForUser("velmora: " + std::string(failure.what()) + "\n", Stream::Error);
    return 1;
  }
  frmmain::win32::FrmMain& form = *created;
  form.Form_Load();
  if (options.hotkey) form.StartHotkey(*options.hotkey);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab move between the controls in their tab order.
    if (::IsDialogMessageW(form.Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
