// The language settings read from Windows: LANGUAGE, else the user's
// interface language.
#include "Messages/SystemLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/ChildProcess.h"

namespace velmora::messages {
namespace {

TEST(SystemLanguage, ReadsLanguageBeforeTheInterfaceLanguage) {
  test::SetVariable("LANGUAGE", "fr:vi");
  EXPECT_EQ(SystemLanguagePreferences(), (std::vector<std::string>{"fr", "vi"}));
  test::SetVariable("LANGUAGE", nullptr);
  const std::vector<std::string> preferences = SystemLanguagePreferences();
  ASSERT_EQ(preferences.size(), 1u);
  // "ll-CC", as Windows names a locale.
  const std::string& ui = preferences.front();
  EXPECT_GE(ui.size(), 2u);
  EXPECT_NE(ui.find('-'), std::string::npos) << ui;
}

// Run by ctest in a Wine started with LANG=vi_VN.UTF-8, which Wine gives its
// programs as their interface language (tests/Messages/CMakeLists.txt).
TEST(SystemLanguage, InterfaceLanguageAsWineWasStarted) {
  const char* variable = std::getenv("VELMORA_EXPECTED_UI_LANGUAGE");
  if (variable == nullptr) GTEST_SKIP() << "run by the ctest entry that sets the language";
  const std::string expected = variable;  // kept: changing the environment may move it
  test::SetVariable("LANGUAGE", nullptr);
  const std::vector<std::string> preferences = SystemLanguagePreferences();
  ASSERT_EQ(preferences.size(), 1u);
  EXPECT_EQ(preferences.front().substr(0, 2), expected);
}

}  // namespace
}  // namespace velmora::messages
