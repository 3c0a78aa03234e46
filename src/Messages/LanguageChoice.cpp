#include "Messages/LanguageChoice.h"

#include <string>

#include "Messages/AsciiLetters.h"

namespace velmora::messages {

namespace {

// "C", "POSIX", and C with a codeset or modifier ("C.UTF-8"): the messages
// as the program writes them.
bool IsCLocale(std::string_view name) {
  const std::string_view base = name.substr(0, name.find_first_of(".@"));
  return base == "C" || base == "POSIX";
}

std::vector<std::string_view> SplitList(std::string_view list) {
  std::vector<std::string_view> names;
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    const std::string_view name = list.substr(0, colon);
    if (!name.empty()) names.push_back(name);
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return names;
}

}  // namespace

std::vector<std::string_view> PosixPreferences(const PosixLanguageVariables& variables) {
  std::string_view locale = "C";
  for (const std::string_view value : {variables.lcAll, variables.lcMessages, variables.lang}) {
    if (!value.empty()) {
      locale = value;
      break;
    }
  }
  if (IsCLocale(locale)) return {locale};
  std::vector<std::string_view> list = SplitList(variables.language);
  if (list.empty()) list.push_back(locale);
  return list;
}

std::vector<std::string_view> WindowsPreferences(std::string_view languageVariable,
                                                 std::string_view uiLanguage) {
  std::vector<std::string_view> list = SplitList(languageVariable);
  if (list.empty() && !uiLanguage.empty()) list.push_back(uiLanguage);
  return list;
}

std::optional<std::size_t> ChooseCatalogue(std::span<const std::string_view> preferences,
                                           std::span<const std::string_view> catalogueLanguages) {
  const auto find = [&](std::string_view language) -> std::optional<std::size_t> {
    for (std::size_t i = 0; i < catalogueLanguages.size(); ++i) {
      if (SameAsciiLetters(catalogueLanguages[i], language)) return i;
    }
    return std::nullopt;
  };
  for (const std::string_view preference : preferences) {
    if (IsCLocale(preference)) return std::nullopt;
    // language[_territory] before any codeset or modifier; Windows writes
    // "vi-VN".
    const std::string_view name = preference.substr(0, preference.find_first_of(".@"));
    const std::size_t separator = name.find_first_of("_-");
    const std::string_view language = name.substr(0, separator);
    if (SameAsciiLetters(language, "en")) return std::nullopt;
    if (separator != std::string_view::npos) {
      std::string withTerritory(name);
      withTerritory[separator] = '_';
      if (const auto found = find(withTerritory)) return found;
    }
    if (const auto found = find(language)) return found;
  }
  return std::nullopt;
}

}  // namespace velmora::messages
