// Which Qt platform the window runs on when the user chose none. Placement
// at the screen's corner, staying on top and the hotkey need X11, which a
// Wayland desktop offers its programs through XWayland: so the window runs
// as an X client wherever an X server can be reached, and as a Wayland
// client only where none can.
#pragma once

#include <span>
#include <string_view>

namespace velmora::frmmain::qt {

struct PlatformChoice {
  enum class Outcome {
    UsersOwn,   // QT_QPA_PLATFORM or -platform chose it: Qt's choice stands
    X11,        // the xcb platform, on X11 or through XWayland
    Wayland,    // a Wayland client, which cannot do what needs X11
    NoDisplay,  // neither an X server nor a Wayland compositor to show on
  };
  Outcome outcome;
  const char* qtPlatform;  // for X11 and Wayland: the QT_QPA_PLATFORM to run with
};

// `args` without the program's name; `environment` gives a variable's value
// or nullptr; `xServerReachable` tries to connect to the X display named.
PlatformChoice ChoosePlatform(std::span<const std::string_view> args,
                              const char* (*environment)(const char* name),
                              bool (*xServerReachable)(const char* display));

// Whether an X server answers at `display` (DISPLAY's form, ":1").
bool XServerReachable(const char* display);

}  // namespace velmora::frmmain::qt
