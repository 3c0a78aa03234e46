#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "ModMain/ReadingChoice.h"

namespace velmora {
namespace {

using Readings = std::vector<std::optional<Text>>;

// «Tôi yêu tiếng Việt Nam lắm», and the same bytes read two wrong ways.
const Text kRight = u"T\u00F4i y\u00EAu ti\u1EBFng Vi\u1EC7t Nam l\u1EAFm";
const Text kDecomposed = u"T\u00F4i y\u00EAu ti\u00EA\u0301ng Vi\u00EA\u0323t Nam l\u0103\u0301m";
const Text kWrongVni = u"To\u00E2i ye\u00E2u tie\u00E1ng Vie\u00E4t Nam la\u00E9m";
const Text kWrongUtf8 = u"T\u00C3\u00B4i y\u00C3\u00AAu ti\u00E1\u00BA\u00BFng Vi\u00E1\u00BB\u2021t Nam";

TEST(ReadingChoice, TheReadingThatIsVietnameseWins) {
  const ReadingChoice choice = ChooseReading(Readings{std::nullopt, kWrongUtf8, kRight, kWrongVni});
  EXPECT_EQ(choice.verdict, ReadingVerdict::Chosen);
  EXPECT_EQ(choice.best, 2u);
  EXPECT_EQ(choice.score.syllables, 6u);
  EXPECT_GT(choice.confidence, 0.95);
}

TEST(ReadingChoice, ReadingsThatGiveTheSameTextAreNoRivals) {
  // Decomposed and precomposed tone marks: one text; the earlier reading is named.
  const ReadingChoice choice = ChooseReading(Readings{kDecomposed, kRight});
  EXPECT_EQ(choice.verdict, ReadingVerdict::Chosen);
  EXPECT_EQ(choice.best, 0u);
  EXPECT_EQ(choice.runnerUp, kNoReading);
}

TEST(ReadingChoice, TwoReadingsAlmostAsGoodAreTooClose) {
  // They differ in one word only, «lằm» (well-formed, not a word) against «lắm».
  const Text almost = u"T\u00F4i y\u00EAu ti\u1EBFng Vi\u1EC7t Nam l\u1EB1m";
  const ReadingChoice choice = ChooseReading(Readings{almost, kRight, kWrongVni});
  EXPECT_EQ(choice.verdict, ReadingVerdict::TooClose);
  EXPECT_EQ(choice.best + choice.runnerUp, 1u);  // the two, in either order
  EXPECT_LE(choice.confidence, 0.75);
}

TEST(ReadingChoice, AReadingThatBreaksAWordTheOtherReadsLosesByLittle) {
  // «“Luồng”» of TCVN3 bytes read as VN1: «ỎLuồngÕ».
  const Text right = u"\u201CLu\u1ED3ng\u201D d\u1EEF li\u1EC7u";
  const Text broken = u"\u1ECELu\u1ED3ng\u00D5 d\u1EEF li\u1EC7u";
  const ReadingChoice choice = ChooseReading(Readings{right, broken});
  EXPECT_EQ(choice.verdict, ReadingVerdict::Chosen);
  EXPECT_EQ(choice.best, 0u);
}

TEST(ReadingChoice, TextThatIsNotVietnameseIsSaidSo) {
  const struct {
    Readings readings;
  } cases[] = {
      {Readings{Text(u"The quick brown fox jumps over the lazy dog")}},
      {Readings{Text(u"Toi yeu tieng Viet Nam lam")}},  // no diacritics: nothing to tell by
      {Readings{Text(u"\u041F\u0440\u0438\u0432\u0435\u0442 \u043C\u0438\u0440")}},  // Привет мир
      {Readings{std::nullopt, std::nullopt}},
      {Readings{Text()}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseReading(c.readings).verdict, ReadingVerdict::NotVietnamese)
        << (c.readings.empty() || !c.readings[0] ? 0 : c.readings[0]->size());
  }
}

}  // namespace
}  // namespace velmora
