#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "Encodings/Detection/ReadingChoice.h"

namespace velmora::detection {
namespace {

using Readings = std::vector<std::optional<Text>>;

// «Tôi yêu tiếng Việt Nam lắm», and the same bytes read two wrong ways.
const Text kRight = u"T\u00F4i y\u00EAu ti\u1EBFng Vi\u1EC7t Nam l\u1EAFm";
const Text kWrongVni = u"To\u00E2i ye\u00E2u tie\u00E1ng Vie\u00E4t Nam la\u00E9m";
const Text kWrongUtf8 =
    u"T\u00C3\u00B4i y\u00C3\u00AAu ti\u00E1\u00BA\u00BFng Vi\u00E1\u00BB\u2021t Nam";

TEST(ReadingChoice, VerdictAndChoice) {
  const struct {
    const char* what;
    Readings readings;
    ReadingVerdict verdict;
    std::size_t best, runnerUp;
    // clang-format off
  } cases[] = {
      {"the reading that is Vietnamese wins", {std::nullopt, kWrongUtf8, kRight, kWrongVni},
       ReadingVerdict::Chosen, 2, 1},
      {"decomposed and precomposed tone marks are one text: the earlier is named",
       {u"T\u00F4i y\u00EAu ti\u00EA\u0301ng Vi\u00EA\u0323t Nam l\u0103\u0301m", kRight},
       ReadingVerdict::Chosen, 0, kNoReading},
      {"«“Luồng”» of TCVN3 read as VN1, «ỎLuồngÕ», breaks a word: it loses by little",
       {Text(u"\u201CLu\u1ED3ng\u201D d\u1EEF li\u1EC7u"), Text(u"\u1ECELu\u1ED3ng\u00D5 d\u1EEF li\u1EC7u")},
       ReadingVerdict::Chosen, 0, 1},
      {"no diacritics: nothing to tell by", {Text(u"Toi yeu tieng Viet Nam lam")},
       ReadingVerdict::NotVietnamese, 0, kNoReading},
      {"English", {Text(u"The quick brown fox jumps over the lazy dog")},
       ReadingVerdict::NotVietnamese, 0, kNoReading},
      {"Russian", {Text(u"\u041F\u0440\u0438\u0432\u0435\u0442 \u043C\u0438\u0440")},
       ReadingVerdict::NotVietnamese, 0, kNoReading},
      {"no reading", {std::nullopt, std::nullopt}, ReadingVerdict::NotVietnamese, kNoReading,
       kNoReading},
  };
  // clang-format on
  for (const auto& c : cases) {
    const ReadingChoice choice = ChooseReading(c.readings);
    EXPECT_EQ(choice.verdict, c.verdict) << c.what;
    EXPECT_EQ(choice.best, c.best) << c.what;
    if (c.verdict == ReadingVerdict::Chosen) {
      EXPECT_EQ(choice.runnerUp, c.runnerUp) << c.what;
    }
  }
}

TEST(ReadingChoice, TwoReadingsAlmostAsGoodAreTooClose) {
  // They differ in one word only, «lằm» (well-formed, not a word) against «lắm».
  const Text almost = u"T\u00F4i y\u00EAu ti\u1EBFng Vi\u1EC7t Nam l\u1EB1m";
  const ReadingChoice choice = ChooseReading(Readings{almost, kRight, kWrongVni});
  EXPECT_EQ(choice.verdict, ReadingVerdict::TooClose);
  EXPECT_EQ(choice.best + choice.runnerUp, 1u);  // the two, in either order
  EXPECT_LE(choice.confidence, 0.75);
}

}  // namespace
}  // namespace velmora::detection
