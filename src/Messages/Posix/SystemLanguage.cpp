#include "Messages/SystemLanguage.h"

#include <cstdlib>

#include "Messages/LanguageChoice.h"

namespace velmora::messages {

namespace {

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::vector<std::string> SystemLanguagePreferences() {
  const std::vector<std::string_view> preferences = PosixPreferences({
      .language = Variable("LANGUAGE"),
      .lcAll = Variable("LC_ALL"),
      .lcMessages = Variable("LC_MESSAGES"),
      .lang = Variable("LANG"),
  });
  return {preferences.begin(), preferences.end()};
}

}  // namespace velmora::messages
