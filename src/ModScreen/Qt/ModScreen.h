// The window's place on the screen and in the stacking order.
#pragma once

class QWidget;

namespace velmora::modscreen {

// The window joins the windows that stay above all others (on X11 its
// _NET_WM_STATE gains _NET_WM_STATE_ABOVE), keeps its place and size, and is
// raised and activated. The native window is not re-created.
void SetWindowOnTop(QWidget& form);

// The window leaves the windows that stay on top; it stays where it is in
// the stacking order until another window is activated above it.
void SetWindowNotOnTop(QWidget& form);

// Puts the window's outer bottom-right corner, frame included, on the bottom-
// right corner of the whole primary screen (not of its work area). The frame
// is known only once the window manager has framed the window, so the window
// is placed again whenever that corner does not hold while it settles.
void PlaceAtBottomRight(QWidget& form);

}  // namespace velmora::modscreen
