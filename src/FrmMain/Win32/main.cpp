// velmora.exe: the window. Copy a record in a library system, press its
// button, paste the result into the catalogue.
#include "FrmMain/Win32/FrmMain.h"
#include "FrmMain/Win32/WindowsApi.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  velmora::frmmain::win32::FrmMain form(instance);
  form.Form_Load();
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab move between the controls in their tab order.
    if (::IsDialogMessageW(form.Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
