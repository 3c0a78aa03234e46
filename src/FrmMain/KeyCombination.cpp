#include "FrmMain/KeyCombination.h"

#include <charconv>
#include <iterator>

#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::frmmain {
namespace {

using messages::Format;
using messages::Tr;

struct ModifierName {
  std::string_view name;
  Modifier bit;
};
// In the order Qt writes them.
constexpr ModifierName kModifierNames[] = {
    {"Meta", kMeta},
    {"Ctrl", kCtrl},
    {"Alt", kAlt},
    {"Shift", kShift},
};

struct NamedKey {
  std::string_view name;   // as Qt writes it
  std::string_view alias;  // another spelling Qt reads, or ""
  std::uint32_t x11Keysym;
  std::uint16_t windowsVirtualKey;
  bool typesCharacter;
};
// Letters, digits and F1-F24 follow their rule (NamedOrRuleKey).
// clang-format off
constexpr NamedKey kNamedKeys[] = {
    //  name          alias     keysym  virtual key
    {"Space",      "",         0x0020, 0x20, true},
    {"Ins",        "Insert",   0xFF63, 0x2D, false},
    {"Del",        "Delete",   0xFFFF, 0x2E, false},
    {"Home",       "",         0xFF50, 0x24, false},
    {"End",        "",         0xFF57, 0x23, false},
    {"PgUp",       "",         0xFF55, 0x21, false},
    {"PgDown",     "",         0xFF56, 0x22, false},
    {"Left",       "",         0xFF51, 0x25, false},
    {"Up",         "",         0xFF52, 0x26, false},
    {"Right",      "",         0xFF53, 0x27, false},
    {"Down",       "",         0xFF54, 0x28, false},
    {"Pause",      "",         0xFF13, 0x13, false},
    {"Print",      "",         0xFF61, 0x2C, false},
    {"ScrollLock", "",         0xFF14, 0x91, false},
    {"Esc",        "Escape",   0xFF1B, 0x1B, false},
    {"Tab",        "",         0xFF09, 0x09, false},
    {"Backspace",  "",         0xFF08, 0x08, false},
    {"Return",     "",         0xFF0D, 0x0D, false},
};
// clang-format on
constexpr int kFunctionKeys = 24;            // F1-F24, as far as Windows has them
constexpr std::uint32_t kKeysymF1 = 0xFFBE;  // F2 is one more, and so on
constexpr std::uint16_t kVirtualKeyF1 = 0x70;

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

struct Key {
  std::string name;
  std::uint32_t keysym;
  std::uint16_t virtualKey;
  bool typesCharacter;
};

std::optional<Key> NamedOrRuleKey(std::string_view written) {
  if (written.size() == 1) {
    const char c = Upper(written[0]);
    // The lowercase keysym is the one a keyboard map lists first.
    if (c >= 'A' && c <= 'Z')
      return Key{std::string(1, c), std::uint32_t(Lower(c)), std::uint16_t(c), true};
    if (c >= '0' && c <= '9')
      return Key{std::string(1, c), std::uint32_t(c), std::uint16_t(c), true};
    return std::nullopt;
  }
  if (Upper(written[0]) == 'F' && written.size() <= 3) {
    int number = 0;
    const char* end = written.data() + written.size();
    const auto [stop, fault] = std::from_chars(written.data() + 1, end, number);
    if (fault == std::errc() && stop == end && written[1] != '0' && number >= 1 &&
        number <= kFunctionKeys) {
      return Key{"F" + std::to_string(number), kKeysymF1 + std::uint32_t(number - 1),
                 std::uint16_t(kVirtualKeyF1 + number - 1), false};
    }
    return std::nullopt;
  }
  for (const NamedKey& key : kNamedKeys) {
    if (SameIgnoringCase(written, key.name) ||
        (!key.alias.empty() && SameIgnoringCase(written, key.alias))) {
      return Key{std::string(key.name), key.x11Keysym, key.windowsVirtualKey, key.typesCharacter};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyCombination> ParseKeyCombination(std::string_view written, std::string& error) {
  unsigned modifiers = 0;
  std::string_view rest = written;
  for (std::size_t plus;
       (plus = rest.find('+')) != std::string_view::npos && plus + 1 < rest.size();
       rest.remove_prefix(plus + 1)) {
    const std::string_view part = rest.substr(0, plus);
    const ModifierName* found = nullptr;
    for (const ModifierName& modifier : kModifierNames) {
      if (SameIgnoringCase(part, modifier.name)) found = &modifier;
    }
    if (found == nullptr) {
      error = Format(Tr("'%1' is not a key combination: '%2' is none of the modifiers Ctrl, "
                        "Alt, Shift and Meta"),
                     written, part);
      return std::nullopt;
    }
    modifiers |= found->bit;
  }
  const std::optional<Key> key = NamedOrRuleKey(rest);
  if (!key) {
    error = Format(Tr("'%1' is not a key combination: its key '%2' is none of a letter, a "
                      "digit, F1-F24, Space, Ins, Del, Home, End, PgUp, PgDown, Left, Up, "
                      "Right, Down, Pause, Print, ScrollLock, Esc, Tab, Backspace and Return"),
                   written, rest);
    return std::nullopt;
  }
  if (key->typesCharacter && (modifiers & (kCtrl | kAlt | kMeta)) == 0) {
    error = Format(
        Tr("'%1' would take a typed character from every program: add Ctrl, Alt or Meta"), written);
    return std::nullopt;
  }
  return KeyCombination{modifiers, key->name, key->keysym, key->virtualKey};
}

std::string KeyCombinationText(const KeyCombination& keys) {
  std::string text;
  for (const ModifierName& modifier : kModifierNames) {
    if ((keys.modifiers & modifier.bit) != 0) text += std::string(modifier.name) + "+";
  }
  return text + keys.name;
}

}  // namespace velmora::frmmain
