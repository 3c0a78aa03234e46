// The language settings read from this process's environment.
#include "Messages/SystemLanguage.h"

#include <gtest/gtest.h>

#include "support/ChildProcess.h"

namespace velmora::messages {
namespace {

struct Environment {
  const char* language;
  const char* lcAll;
  const char* lcMessages;
  const char* lang;
};

void Set(const Environment& e) {
  test::SetVariable("LANGUAGE", e.language);
  test::SetVariable("LC_ALL", e.lcAll);
  test::SetVariable("LC_MESSAGES", e.lcMessages);
  test::SetVariable("LANG", e.lang);
}

TEST(SystemLanguage, ReadsTheGettextVariables) {
  struct Case {
    Environment environment;  // nullptr: unset
    std::vector<std::string> preferences;
  };
  const Case cases[] = {
      {{nullptr, nullptr, nullptr, nullptr}, {"C"}},
      {{nullptr, nullptr, nullptr, "vi_VN.UTF-8"}, {"vi_VN.UTF-8"}},
      {{nullptr, nullptr, "vi_VN", "C"}, {"vi_VN"}},
      {{nullptr, "C", "vi_VN", "vi_VN"}, {"C"}},
      {{"", "", "", "vi_VN.UTF-8"}, {"vi_VN.UTF-8"}},
      {{"fr:vi", nullptr, nullptr, "de_DE.UTF-8"}, {"fr", "vi"}},
      {{"vi", nullptr, nullptr, nullptr}, {"C"}},
  };
  for (const Case& c : cases) {
    Set(c.environment);
    EXPECT_EQ(SystemLanguagePreferences(), c.preferences)
        << (c.environment.language ? c.environment.language : "(unset)");
  }
  Set({nullptr, nullptr, nullptr, nullptr});
}

}  // namespace
}  // namespace velmora::messages
