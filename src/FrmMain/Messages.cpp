#include "FrmMain/Messages.h"

#include "Encodings/Utf8.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::frmmain {

using messages::Format;
using messages::Tr;

Text WindowText(std::string_view utf8) {
  // The catalogues pass msgfmt's check at build time, so their texts are
  // UTF-8; a byte that is not would show as nothing rather than as garbage.
  return encodings::DecodeUtf8(utf8, nullptr).value_or(Text());
}

Text HotkeyFindsNoSourceMessage() {
  return WindowText(
      Tr("The copied text is not a record of a library system Velmora recognises: press the "
         "button of the record's system once, and from then on the hotkey repeats that button."));
}

Text HotkeyTakenNotice(TextView keys) {
  return WindowText(
      Format(Tr("The key combination %1 is taken by another program, so Velmora has no hotkey: "
                "start it with --hotkey and another combination to have one."),
             encodings::EncodeUtf8(keys)));
}

Text HotkeyKeyMissingNotice(TextView keys) {
  return WindowText(
      Format(Tr("The keyboard has no key for the hotkey %1, so Velmora has no hotkey: start it "
                "with --hotkey and another combination to have one."),
             encodings::EncodeUtf8(keys)));
}

Text HotkeyUnavailableHereNotice(TextView keys) {
  return WindowText(Format(Tr("Velmora cannot have the hotkey %1 here, as the window system "
                              "offers no global key combinations to its programs."),
                           encodings::EncodeUtf8(keys)));
}

Text WaylandLimitsNotice() {
  return WindowText(
      Tr("Without an X server (XWayland) to run through, Velmora cannot place its window in the "
         "screen's corner, keep it above other windows or have a hotkey on this Wayland "
         "desktop."));
}

}  // namespace velmora::frmmain
