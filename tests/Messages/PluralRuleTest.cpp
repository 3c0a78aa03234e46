#include "Messages/PluralRule.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace velmora::messages {
namespace {

struct RuleCase {
  const char* name;
  std::string forms;
  std::size_t formCount;
  // The form for the counts 0, 1, 2, … in turn.
  std::vector<std::size_t> formsFromZero;
};

// GoogleTest would otherwise print the case's bytes, the string's unused buffer among them.
void PrintTo(const RuleCase& c, std::ostream* out) {
  *out << c.name;
}

class PluralRuleLanguages : public ::testing::TestWithParam<RuleCase> {};

TEST_P(PluralRuleLanguages, PicksEachCountsForm) {
  const RuleCase& c = GetParam();
  const std::optional<PluralRule> rule = PluralRule::Parse(c.forms);
  ASSERT_TRUE(rule) << c.forms;
  EXPECT_EQ(rule->FormCount(), c.formCount);
  for (std::size_t n = 0; n < c.formsFromZero.size(); ++n) {
    EXPECT_EQ(rule->FormFor(n), c.formsFromZero[n]) << "n = " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PluralRuleLanguages,
    ::testing::Values(
        RuleCase{"Vietnamese", "nplurals=1; plural=0;", 1, {0, 0, 0, 0, 0}},
        RuleCase{"English", "nplurals=2; plural=(n != 1);", 2, {1, 0, 1, 1}},
        RuleCase{"French", "nplurals=2; plural=(n > 1);", 2, {0, 0, 1, 1}},
        RuleCase{"Czech",
                 " nplurals = 3 ; plural = (n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2 ;",
                 3,
                 {2, 0, 1, 1, 1, 2, 2}},
        RuleCase{"Polish",
                 "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) "
                 "? 1 : 2);",
                 3,
                 {2, 0, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1}},
        RuleCase{"Arabic",
                 "nplurals=6; plural=n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 "
                 ": n%100>=11 ? 4 : 5;",
                 6,
                 {0, 1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 4}},
        // Without a division by zero where the choice does not go.
        RuleCase{
            "ShortCircuit", "nplurals=2; plural=n == 0 || 10 / n > 5 ? 0 : 1;", 2, {0, 0, 1, 1}},
        RuleCase{"NotAndSubtraction", "nplurals=2; plural=!(n - 1);", 2, {0, 1, 0}},
        // The field names found as words, whatever else the header says.
        RuleCase{"NoTrailingSemicolon", "plural=n*2-n>1 ; nplurals=2", 2, {0, 0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PluralRule, DefaultIsEnglish) {
  const PluralRule rule;
  EXPECT_EQ(rule.FormCount(), 2u);
  EXPECT_EQ(rule.FormFor(0), 1u);
  EXPECT_EQ(rule.FormFor(1), 0u);
  EXPECT_EQ(rule.FormFor(UINT64_MAX), 1u);
}

TEST(PluralRule, RefusesWhatIsNotARule) {
  const std::string deep = std::string(100, '(') + "n" + std::string(100, ')');
  std::string chain = "n";
  for (int i = 0; i < 400; ++i) chain += "+n";
  const std::string refused[] = {
      "",
      "nplurals=2;",
      "plural=n != 1;",
      "nplurals=0; plural=0;",
      "nplurals=17; plural=0;",
      "nplurals=x; plural=0;",
      "nplurals=2; plural=;",
      "nplurals=2; plural=n +;",
      "nplurals=2; plural=(n != 1;",
      "nplurals=2; plural=n != 1);",
      "nplurals=2; plural=n ? 1;",
      "nplurals=2; plural=m;",
      "nplurals=2; plural=-n;",
      "nplurals=2; plural=99999999999999999999;",
      "nplurals=2; plural=" + deep + ";",
      "nplurals=2; plural=" + chain + ";",
      "nplural=2; plural=0;",
  };
  for (const std::string& forms : refused) {
    EXPECT_FALSE(PluralRule::Parse(forms)) << forms.substr(0, 60);
  }
}

TEST(PluralRule, GivesNoFormItCannotCompute) {
  struct Case {
    const char* forms;
    std::uint64_t count;
  };
  for (const Case& c :
       {Case{"nplurals=2; plural=n / 0;", 3}, Case{"nplurals=2; plural=n % (n - 3);", 3},
        Case{"nplurals=2; plural=2;", 1}, Case{"nplurals=3; plural=n;", 3}}) {
    const std::optional<PluralRule> rule = PluralRule::Parse(c.forms);
    ASSERT_TRUE(rule) << c.forms;
    EXPECT_FALSE(rule->FormFor(c.count)) << c.forms << " for " << c.count;
  }
}

}  // namespace
}  // namespace velmora::messages
