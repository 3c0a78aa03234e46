#include "Messages/LanguageChoice.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::messages {
namespace {

constexpr std::string_view kCatalogues[] = {"vi", "pt_BR", "pt"};

// The chosen catalogue's language, or "en".
std::string Chosen(std::span<const std::string_view> preferences) {
  const std::optional<std::size_t> chosen = ChooseCatalogue(preferences, kCatalogues);
  return chosen ? std::string(kCatalogues[*chosen]) : "en";
}

struct PosixCase {
  const char* language;
  const char* lcAll;
  const char* lcMessages;
  const char* lang;
  const char* chosen;
};

TEST(LanguageChoice, PosixAsGnuGettext) {
  const PosixCase cases[] = {
      // LANGUAGE LC_ALL LC_MESSAGES LANG → chosen
      {"", "", "", "", "en"},
      {"", "", "", "vi", "vi"},
      {"", "", "", "vi_VN", "vi"},
      {"", "", "", "vi_VN.UTF-8", "vi"},
      {"", "", "", "vi_VN.utf8@tones", "vi"},
      {"", "", "", "VI_vn.UTF-8", "vi"},
      {"", "", "", "C", "en"},
      {"", "", "", "POSIX", "en"},
      {"", "", "", "C.UTF-8", "en"},
      {"", "", "", "de_DE.UTF-8", "en"},
      {"", "", "", "en_US.UTF-8", "en"},
      {"", "", "", "vietnamese", "en"},
      // LC_ALL, then LC_MESSAGES, then LANG.
      {"", "C", "vi_VN.UTF-8", "vi_VN.UTF-8", "en"},
      {"", "vi_VN.UTF-8", "C", "C", "vi"},
      {"", "", "vi_VN.UTF-8", "C", "vi"},
      {"", "", "C", "vi_VN.UTF-8", "en"},
      // LANGUAGE's list, in order, not under the C locale.
      {"vi", "", "", "", "en"},
      {"vi", "", "", "C", "en"},
      {"vi", "C.UTF-8", "", "de_DE.UTF-8", "en"},
      {"vi", "", "", "de_DE.UTF-8", "vi"},
      {"fr:de:vi", "", "", "de_DE.UTF-8", "vi"},
      {"::vi:", "", "", "de_DE.UTF-8", "vi"},
      // A list without a catalogue is English, not the locale's language.
      {"fr:de", "", "", "vi_VN.UTF-8", "en"},
      // English or C in the list ends it.
      {"en:vi", "", "", "vi_VN.UTF-8", "en"},
      {"en_GB:vi", "", "", "vi_VN.UTF-8", "en"},
      {"C:vi", "", "", "vi_VN.UTF-8", "en"},
      {"fr:vi:en", "", "", "en_US.UTF-8", "vi"},
      {"pt_BR:vi", "", "", "vi_VN.UTF-8", "pt_BR"},
      {"pt_PT:vi", "", "", "vi_VN.UTF-8", "pt"},
      {"pt-BR", "", "", "vi_VN.UTF-8", "pt_BR"},
  };
  for (const PosixCase& c : cases) {
    const std::vector<std::string_view> preferences =
        PosixPreferences({c.language, c.lcAll, c.lcMessages, c.lang});
    EXPECT_EQ(Chosen(preferences), c.chosen)
        << "LANGUAGE=" << c.language << " LC_ALL=" << c.lcAll << " LC_MESSAGES=" << c.lcMessages
        << " LANG=" << c.lang;
  }
}

TEST(LanguageChoice, WindowsFromLanguageThenInterfaceLanguage) {
  struct Case {
    const char* language;
    const char* ui;
    const char* chosen;
  };
  const Case cases[] = {
      // LANGUAGE, interface language → chosen
      {"", "vi-VN", "vi"},
      {"", "en-US", "en"},
      {"", "", "en"},
      {"", "de-DE", "en"},
      // LANGUAGE before the interface language.
      {"vi", "en-US", "vi"},
      {"vi_VN.UTF-8", "en-US", "vi"},
      {"fr:vi", "de-DE", "vi"},
      {":", "vi-VN", "vi"},
      // A list without a catalogue, or with English or C first, is English.
      {"C", "vi-VN", "en"},
      {"en", "vi-VN", "en"},
      {"fr", "vi-VN", "en"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Chosen(WindowsPreferences(c.language, c.ui)), c.chosen)
        << "LANGUAGE=" << c.language << " interface " << c.ui;
  }
}

TEST(LanguageChoice, EnglishWithoutCatalogues) {
  const std::string_view preferences[] = {"vi_VN.UTF-8"};
  EXPECT_EQ(ChooseCatalogue(preferences, {}), std::nullopt);
}

}  // namespace
}  // namespace velmora::messages
