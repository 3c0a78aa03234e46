// The cataloguer's checks: each row a record's fields as read, and the
// warnings it must give (none for a record that is right).
#include <gtest/gtest.h>

#include <ostream>

#include <set>

#include "MarcRepair/CatalogueChecks.h"

namespace velmora::marc_repair {
namespace {

struct ChecksCase {
  const char* what;
  std::vector<CheckedField> fields;
  std::multiset<FindingKind> want;
};

// 008 with its language at 35-37: «...vm ...vie d».
std::u16string Fixed008(std::u16string_view language) {
  std::u16string text(40, u' ');
  text.replace(35, 3, language);
  return text;
}

const std::u16string kVie008 = Fixed008(u"vie");
const std::u16string kEng008 = Fixed008(u"eng");
const std::u16string kFill008 = Fixed008(u"|||");

std::vector<ChecksCase> Cases() {
  constexpr FindingKind kLanguage = FindingKind::kLanguageMismatch;
  constexpr FindingKind kIsbn = FindingKind::kIsbnCheckDigit;
  constexpr FindingKind kCapitals = FindingKind::kLowercasedCapitals;
  // clang-format off
  return {
      {"008 and 041 agree", {{"008", kVie008}, {"041", u"0 \u001Favie"}}, {}},
      {"041 in capitals agrees", {{"008", kVie008}, {"041", u"0 \u001FaVIE"}}, {}},
      {"008 says English, 041 Vietnamese", {{"008", kEng008}, {"041", u"0 \u001Favie"}}, {kLanguage}},
      {"008's fill characters say nothing", {{"008", kFill008}, {"041", u"0 \u001Favie"}}, {}},
      {"an 008 too short to hold a language", {{"008", u"850101s1985"}, {"041", u"0 \u001Faeng"}}, {}},
      {"no 041", {{"008", kEng008}}, {}},
      {"a right 978-604 ISBN", {{"020", u"  \u001Fa978-604-0-00000-2"}}, {}},
      {"a wrong 978-604 check digit", {{"020", u"  \u001Fa9786040000004 (pbk.)"}}, {kIsbn}},
      {"a wrong ten-digit 604 ISBN", {{"020", u"  \u001Fa604-0-00000-1"}}, {kIsbn}},
      {"a right ten-digit 604 ISBN with X", {{"020", u"  \u001Fa604000004X"}}, {}},
      {"another country's ISBN is not checked", {{"020", u"  \u001Fa9780000000001"}}, {}},
      {"a toned capital lowercased in a TCVN3 name",
       {{"100", u"1 \u001FaNguy\u1EC5n V\u0103n \u00E1nh", true}}, {kCapitals}},
      {"at a subfield's start", {{"245", u"10\u001Fa\u1EA4n t\u01B0\u1EE3ng", true}}, {}},
      {"lowercased at a subfield's start", {{"245", u"10\u001Fa\u1EA5n t\u01B0\u1EE3ng", true}}, {kCapitals}},
      {"before a capital", {{"245", u"10\u001FaS\u00C1CH \u00e1NH S\u00C1NG", true}}, {kCapitals}},
      {"a lowercase word of a title is right", {{"245", u"10\u001FaTruy\u1EC7n \u00e1nh tr\u0103ng", true}}, {}},
      {"the same name not read as TCVN3", {{"100", u"1 \u001FaNguy\u1EC5n V\u0103n \u00E1nh", false}}, {}},
  };
  // clang-format on
}

// GoogleTest would otherwise print the case's bytes, unused buffers among them.
void PrintTo(const ChecksCase& c, std::ostream* out) {
  *out << c.what;
}

class MarcRepairChecks : public ::testing::TestWithParam<ChecksCase> {};

TEST_P(MarcRepairChecks, WarnsOnlyWhereTheRecordIsWrong) {
  const ChecksCase& c = GetParam();
  std::vector<Finding> findings;
  CheckRecord(c.fields, findings);
  std::multiset<FindingKind> kinds;
  std::string texts;
  for (const Finding& finding : findings) {
    kinds.insert(finding.kind);
    texts += "\n  " + finding.text;
  }
  EXPECT_EQ(kinds, c.want) << texts;
}

INSTANTIATE_TEST_SUITE_P(EachCheck, MarcRepairChecks, ::testing::ValuesIn(Cases()),
                         [](const auto& info) {
                           std::string name;
                           for (const char ch : std::string(info.param.what)) {
                             name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           }
                           return name;
                         });

TEST(MarcRepairIsbn, OfThirteenAndTenDigits) {
  EXPECT_EQ(IsbnCheckDigit("978604000000"), '2');
  EXPECT_EQ(IsbnCheckDigit("9780306406157"), '7');
  EXPECT_EQ(IsbnCheckDigit("030640615"), '2');
  EXPECT_EQ(IsbnCheckDigit("604000004"), 'X');
}

}  // namespace
}  // namespace velmora::marc_repair
