#include "FrmMain/Qt/PlatformChoice.h"

#include <xcb/xcb.h>

namespace velmora::frmmain::qt {
namespace {

bool Set(const char* value) {
  return value != nullptr && *value != '\0';
}

bool NamesAPlatform(std::span<const std::string_view> args) {
  for (std::string_view arg : args) {
    if (arg.substr(0, 2) == "--") arg.remove_prefix(1);
    if (arg == "-platform" || arg.substr(0, 10) == "-platform=") return true;
  }
  return false;
}

}  // namespace

PlatformChoice ChoosePlatform(std::span<const std::string_view> args,
                              const char* (*environment)(const char* name),
                              bool (*xServerReachable)(const char* display)) {
  if (Set(environment("QT_QPA_PLATFORM")) || NamesAPlatform(args)) {
    return {PlatformChoice::Outcome::UsersOwn, nullptr};
  }
  const char* display = environment("DISPLAY");
  if (Set(display) && xServerReachable(display)) return {PlatformChoice::Outcome::X11, "xcb"};
  const char* session = environment("XDG_SESSION_TYPE");
  if (Set(environment("WAYLAND_DISPLAY")) ||
      (Set(session) && std::string_view(session) == "wayland")) {
    return {PlatformChoice::Outcome::Wayland, "wayland"};
  }
  return {PlatformChoice::Outcome::NoDisplay, nullptr};
}

bool XServerReachable(const char* display) {
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  const bool reachable = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return reachable;
}

}  // namespace velmora::frmmain::qt
