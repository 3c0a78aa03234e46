// Which catalogue a person's settings ask for, from the locale names the
// platform gives, most wanted first: "vi_VN.UTF-8" (POSIX), "vi-VN"
// (Windows), "vi". English, the messages' own language, is always there.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace velmora::messages {

// The environment variables GNU gettext reads on POSIX systems; empty is
// unset.
struct PosixLanguageVariables {
  std::string_view language;    // LANGUAGE: a colon-separated list
  std::string_view lcAll;       // LC_ALL
  std::string_view lcMessages;  // LC_MESSAGES
  std::string_view lang;        // LANG
};

// As GNU gettext chooses: the locale is the first set of LC_ALL, LC_MESSAGES
// and LANG ("C" when none is); under the C locale (also "POSIX" and C.UTF-8)
// the messages are English whatever LANGUAGE says, so that scripts read what
// they expect; otherwise LANGUAGE's list when set, else the locale.
std::vector<std::string_view> PosixPreferences(const PosixLanguageVariables& variables);

// Windows: LANGUAGE's list when set (so that a test or a person can ask for
// a language), else the user's interface language ("vi-VN").
std::vector<std::string_view> WindowsPreferences(std::string_view languageVariable,
                                                 std::string_view uiLanguage);

// The first preference that has a catalogue among `catalogueLanguages`
// ("vi", or "pt_BR"), as an index into them; nullopt for English: a
// preference of English or of the C locale comes before any catalogue after
// it. A locale name's territory is tried first ("pt_BR", then "pt"); its
// codeset and modifier ("vi_VN.UTF-8@x") do not matter, nor letter case.
std::optional<std::size_t> ChooseCatalogue(std::span<const std::string_view> preferences,
                                           std::span<const std::string_view> catalogueLanguages);

}  // namespace velmora::messages
