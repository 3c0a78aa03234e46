// A key combination grabbed on the root windows of an X display, so that
// the X server sends its key presses to this client whichever window has
// the focus. xcb only, no Qt: the window's hotkey and the tests' own
// grabbing client share it.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

#include "FrmMain/KeyCombination.h"

namespace velmora::frmmain::qt {

class X11KeyGrab {
 public:
  enum class Outcome {
    Grabbed,
    TakenByAnotherClient,  // another X client grabbed the combination first
    NoSuchKey,             // the keyboard map has no key for its keysym
  };

  // Grabs `keys` on every screen's root window, once for each state of
  // CapsLock and NumLock (the X server matches modifiers exactly, so a
  // grab of Ctrl+Alt+Shift alone misses the press while NumLock is on).
  // Nothing stays grabbed unless every variant was.
  X11KeyGrab(xcb_connection_t* connection, const KeyCombination& keys);
  ~X11KeyGrab();
  X11KeyGrab(const X11KeyGrab&) = delete;
  X11KeyGrab& operator=(const X11KeyGrab&) = delete;

  Outcome outcome() const { return outcome_; }

  // Whether an X event is a press (or release) of the grabbed combination.
  bool IsPress(const xcb_generic_event_t& event) const;
  bool IsRelease(const xcb_generic_event_t& event) const;

  // The keyboard map changed (MappingNotify): grabs the combination anew
  // on the key that now carries its keysym.
  void Regrab();

 private:
  void Grab();
  void Ungrab();
  bool Matches(std::uint8_t type, const xcb_generic_event_t& event) const;

  xcb_connection_t* connection_;
  KeyCombination keys_;
  std::vector<xcb_window_t> roots_;
  xcb_keycode_t keycode_ = 0;
  std::uint16_t modifiers_ = 0;      // the X modifier mask the combination asks for
  std::uint16_t lockMasks_ = 0;      // CapsLock and NumLock, ignored when matching
  std::uint16_t relevantMasks_ = 0;  // Shift, Control, Alt, Super
  Outcome outcome_ = Outcome::NoSuchKey;
};

}  // namespace velmora::frmmain::qt
