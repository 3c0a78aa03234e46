// Every text the window shows the user, one whole sentence each, so that
// each can be translated as it stands. The application's name and the three
// clipboard messages stay English in every language: cataloguers know the
// window by them. Every other message is in the person's language
// (Messages/Translate.h), made when it is shown.
#pragma once

#include <string_view>

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
Text HotkeyFindsNoSourceMessage();

// Said once at start, on standard error and in the window's tooltip; `keys`
// is the key combination as KeyCombinationText writes it.
Text HotkeyTakenNotice(TextView keys);
Text HotkeyKeyMissingNotice(TextView keys);
Text HotkeyUnavailableHereNotice(TextView keys);
Text WaylandLimitsNotice();

// A translated UTF-8 message as the window's text.
Text WindowText(std::string_view utf8);

}  // namespace velmora::frmmain
