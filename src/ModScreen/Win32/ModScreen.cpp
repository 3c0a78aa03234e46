#include "ModScreen/Win32/ModScreen.h"

namespace velmora::modscreen {
namespace {

constexpr UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;

}  // namespace

void SetWindowOnTop(HWND form) {
  ::SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void SetWindowNotOnTop(HWND form) {
  ::SetWindowPos(form, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void PlaceAtBottomRight(HWND form) {
  RECT outer{};
  ::GetWindowRect(form, &outer);
  // The primary screen in the pixels of a per-monitor aware program.
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  ::SetWindowPos(form, nullptr, screenWidth - (outer.right - outer.left),
                 screenHeight - (outer.bottom - outer.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora::modscreen
