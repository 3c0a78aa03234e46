#include <windows.h>

#include "Messages/SystemLanguage.h"

#include "Messages/LanguageChoice.h"

namespace velmora::messages {

namespace {

// Locale names are ASCII; anything else in one is no name we know.
std::string Ascii(const wchar_t* text, std::size_t length) {
  std::string ascii;
  for (std::size_t i = 0; i < length; ++i) {
    ascii.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
  }
  return ascii;
}

// Read from the process's own environment, which is what _putenv and
// SetEnvironmentVariable change and what a child process is given.
std::string LanguageVariable() {
  const DWORD needed = ::GetEnvironmentVariableW(L"LANGUAGE", nullptr, 0);
  if (needed == 0) return {};
  std::wstring value(needed, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"LANGUAGE", value.data(), needed);
  if (length == 0 || length >= needed) return {};
  return Ascii(value.data(), length);
}

// "vi-VN" for a Vietnamese Windows: the language the user reads Windows in.
std::string UiLanguage() {
  const LCID locale = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  const int length = ::LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0);
  if (length <= 1) return {};
  return Ascii(name, static_cast<std::size_t>(length - 1));
}

}  // namespace

std::vector<std::string> SystemLanguagePreferences() {
  const std::string language = LanguageVariable();
  const std::string ui = UiLanguage();
  const std::vector<std::string_view> preferences = WindowsPreferences(language, ui);
  return {preferences.begin(), preferences.end()};
}

}  // namespace velmora::messages
