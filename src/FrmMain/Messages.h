// Every text the window shows the user, one whole sentence each, so that
// each can be translated as it stands. A message that names a key
// combination holds "%1" where the combination goes (WithKeys).
#pragma once

#include "ModMain/Text/Text.h"

namespace velmora::frmmain {

// The title of every message box: the application's name.
inline constexpr TextView kApplicationTitle = u"Velmora";

// The system's own messages, all three about the clipboard.
inline constexpr TextView kClipboardTextNotAvailable = u"Clipboard Text Is Not available now";
inline constexpr TextView kFailedToGetClipboardText = u"Failed To Get Clipboard Text";
inline constexpr TextView kFailedToSetClipboardText = u"Failed To Set Clipboard Text";

// The hotkey pressed before any conversion button, on a copied text whose
// library system is not recognised.
inline constexpr TextView kHotkeyFindsNoSource =
    u"The copied text is not a record of a library system Velmora recognises: press the button "
    u"of the record's system once, and from then on the hotkey repeats that button.";

// Said once at start, on standard error and in the window's tooltip.
inline constexpr TextView kHotkeyTaken =
    u"The key combination %1 is taken by another program, so Velmora has no hotkey: start it "
    u"with --hotkey and another combination to have one.";
inline constexpr TextView kHotkeyKeyMissing =
    u"The keyboard has no key for the hotkey %1, so Velmora has no hotkey: start it with "
    u"--hotkey and another combination to have one.";
inline constexpr TextView kHotkeyUnavailableHere =
    u"Velmora cannot have the hotkey %1 here, as the window system offers no global key "
    u"combinations to its programs.";
inline constexpr TextView kWaylandLimits =
    u"Without an X server (XWayland) to run through, Velmora cannot place its window in the "
    u"screen's corner, keep it above other windows or have a hotkey on this Wayland desktop.";

// `message` with its "%1" replaced by the key combination `keys`.
inline Text WithKeys(TextView message, TextView keys) {
  return text::Replace(message, u"%1", keys);
}

}  // namespace velmora::frmmain
