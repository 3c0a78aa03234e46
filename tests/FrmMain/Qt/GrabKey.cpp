// Another X client that wants a key combination, for the real-display test:
// grabs KEYS on the root windows as the window's hotkey does, prints
// "grabbed" or "taken" (another client holds it: exit 3), and keeps the
// grab until its standard input ends.
//
//   velmora_grab_key KEYS
#include <xcb/xcb.h>

#include <cstdio>
#include <string>

#include "FrmMain/KeyCombination.h"
#include "FrmMain/Qt/X11KeyGrab.h"

int main(int argc, char* argv[]) {
  using velmora::frmmain::qt::X11KeyGrab;
  std::string error;
  const auto keys = velmora::frmmain::ParseKeyCombination(argc == 2 ? argv[1] : "", error);
  if (!keys) {
    std::fprintf(stderr, "usage: velmora_grab_key KEYS: %s\n", error.c_str());
    return 2;
  }
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fputs("velmora_grab_key: no X server\n", stderr);
    return 1;
  }
  int status = 0;
  {
    const X11KeyGrab grab(connection, *keys);
    switch (grab.outcome()) {
      case X11KeyGrab::Outcome::Grabbed:
        std::puts("grabbed");
        break;
      case X11KeyGrab::Outcome::TakenByAnotherClient:
        std::puts("taken");
        status = 3;
        break;
      case X11KeyGrab::Outcome::NoSuchKey:
        std::puts("no such key");
        status = 1;
        break;
    }
    std::fflush(stdout);
    while (status == 0 && std::getchar() != EOF) {
    }
  }
  xcb_disconnect(connection);
  return status;
}
