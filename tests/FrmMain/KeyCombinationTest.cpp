// Key combinations as the hotkey option takes them: Qt's portable spelling,
// and the key each window system is asked for.
#include <gtest/gtest.h>

#include "FrmMain/KeyCombination.h"

namespace velmora::frmmain {
namespace {

TEST(ParseKeyCombination, ReadsQtsPortableSpellingInAnyOrderAndCase) {
  const struct {
    const char* written;
    const char* asQtWritesIt;
    std::uint32_t keysym;
    std::uint16_t virtualKey;
  } cases[] = {
      {"Ctrl+Alt+Shift+M", "Ctrl+Alt+Shift+M", 0x6D, 0x4D},  // keysym m, VK 'M'
      {"shift+ctrl+alt+m", "Ctrl+Alt+Shift+M", 0x6D, 0x4D},
      {"Meta+F9", "Meta+F9", 0xFFC6, 0x78},
      {"Ctrl+Shift+F24", "Ctrl+Shift+F24", 0xFFD5, 0x87},
      {"Alt+F1", "Alt+F1", 0xFFBE, 0x70},
      {"Ctrl+7", "Ctrl+7", 0x37, 0x37},
      {"Ctrl+Alt+Space", "Ctrl+Alt+Space", 0x20, 0x20},
      {"Ctrl+Insert", "Ctrl+Ins", 0xFF63, 0x2D},
      {"Alt+PgDown", "Alt+PgDown", 0xFF56, 0x22},
      {"Pause", "Pause", 0xFF13, 0x13},  // a key that types nothing may stand alone
      {"Shift+Escape", "Shift+Esc", 0xFF1B, 0x1B},
      {"Ctrl+Ctrl+Q", "Ctrl+Q", 0x71, 0x51},
  };
  for (const auto& c : cases) {
    std::string error;
    const std::optional<KeyCombination> keys = ParseKeyCombination(c.written, error);
    ASSERT_TRUE(keys.has_value()) << c.written << ": " << error;
    EXPECT_EQ(KeyCombinationText(*keys), c.asQtWritesIt) << c.written;
    EXPECT_EQ(keys->x11Keysym, c.keysym) << c.written;
    EXPECT_EQ(keys->windowsVirtualKey, c.virtualKey) << c.written;
  }
}

TEST(ParseKeyCombination, RefusesWhatIsNoSingleCombinationAndSaysWhy) {
  const struct {
    const char* written;
    const char* reason;  // part of the error
  } cases[] = {
      {"", "its key ''"},
      {"Ctrl+", "its key 'Ctrl+'"},
      {"Ctrl+Alt", "its key 'Alt'"},
      {"Control+M", "'Control' is none of the modifiers"},
      {"Super+M", "'Super' is none of the modifiers"},
      {"Ctrl+A, Ctrl+B", "'A, Ctrl' is none of the modifiers"},
      {"Ctrl+F0", "its key 'F0'"},
      {"Ctrl+F25", "its key 'F25'"},
      {"Ctrl+F01", "its key 'F01'"},
      {"Ctrl+PageUp", "its key 'PageUp'"},
      {"Ctrl++", "its key '+'"},
      {" Ctrl+M", "' Ctrl' is none"},
      {"M", "would take a typed character"},
      {"Shift+M", "would take a typed character"},
      {"Shift+Space", "would take a typed character"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseKeyCombination(c.written, error).has_value()) << c.written;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.written << ": " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
  }
}

TEST(ParseKeyCombination, TheDefaultIsACombinationOfThreeModifiers) {
  std::string error;
  const std::optional<KeyCombination> keys = ParseKeyCombination(kDefaultHotkey, error);
  ASSERT_TRUE(keys.has_value()) << error;
  EXPECT_EQ(KeyCombinationText(*keys), kDefaultHotkey);
  EXPECT_EQ(keys->modifiers, kCtrl | kAlt | kShift);
}

}  // namespace
}  // namespace velmora::frmmain
