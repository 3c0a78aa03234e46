// The window's place on the screen and in the stacking order, over the
// Windows API.
#pragma once

#include <windows.h>

namespace velmora::modscreen {

// The window joins the topmost windows, keeping its place and size, and is
// activated: SetWindowPos with HWND_TOPMOST.
void SetWindowOnTop(HWND form);

// The window leaves the topmost windows and goes to the top of the ordinary
// ones: SetWindowPos with HWND_NOTOPMOST.
void SetWindowNotOnTop(HWND form);

// Puts the window's outer bottom-right corner, frame included, on the
// bottom-right corner of the whole primary screen (not of its work area, so
// over the taskbar if the taskbar lies there).
void PlaceAtBottomRight(HWND form);

}  // namespace velmora::modscreen
