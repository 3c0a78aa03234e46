// A key combination for the hotkey, written as Qt writes a portable key
// sequence («Ctrl+Alt+Shift+M», «Meta+F9»), and what each window system
// calls its key: an X keysym, a Windows virtual-key code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::frmmain {

// The hotkey when none is chosen. Free where the window runs, as each
// desktop and input method binds it by default:
//  - Ctrl+Alt+F1..F12 switch virtual terminals on Linux (X servers and
//    Wayland compositors alike), Ctrl+F1..F12 switch Xfce's workspaces,
//    Alt+F1..F12 and Alt+letters belong to window managers and menus, and
//    the Vietnamese input methods (UniKey, EVKey, ibus-unikey, ibus-bamboo,
//    fcitx5-unikey) switch on Ctrl+Shift, Alt+Z, Ctrl+Space or Super+Space
//    and use Ctrl+Shift+F-keys for their tools: so no F-key, and three
//    modifiers, which applications seldom bind;
//  - Windows 10 and 11 keep Win+ combinations (the Office key is
//    Ctrl+Alt+Shift+Win), GNOME binds Ctrl+Alt+Shift only to arrows, Tab,
//    Escape and R (screen recording), KDE Plasma to Delete, PageUp and
//    PageDown, Xfce to arrows; fcitx5 takes Ctrl+Alt+Shift+U and LibreOffice
//    Ctrl+Alt+Shift+V (paste unformatted text);
//  - M, for MARC, is bound by none of these.
inline constexpr std::string_view kDefaultHotkey = "Ctrl+Alt+Shift+M";

// Modifier bits; Meta is the Super (Windows) key.
enum Modifier : unsigned {
  kCtrl = 1,
  kAlt = 2,
  kShift = 4,
  kMeta = 8,
};

struct KeyCombination {
  unsigned modifiers = 0;  // Modifier bits
  std::string name;        // the key as Qt writes it: "M", "F9", "PgUp"
  std::uint32_t x11Keysym = 0;
  std::uint16_t windowsVirtualKey = 0;

  bool operator==(const KeyCombination&) const = default;
};

// `written` as one key combination: modifiers (Ctrl, Alt, Shift, Meta, in
// any order and case) and one key: a letter, a digit, F1-F24, or Space, Ins,
// Del, Home, End, PgUp, PgDown, Left, Up, Right, Down, Pause, Print,
// ScrollLock, Esc, Tab, Backspace, Return (Qt's names; Insert, Delete and
// Escape too). A letter, digit or Space needs Ctrl, Alt or Meta, or it would
// be taken from typing in every program. Nothing, with `error` saying why,
// for anything else.
std::optional<KeyCombination> ParseKeyCombination(std::string_view written, std::string& error);

// As Qt writes it: «Meta+Ctrl+Alt+Shift+M», modifiers in that order.
std::string KeyCombinationText(const KeyCombination& keys);

}  // namespace velmora::frmmain
