#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Encodings/Detection/DetectRepresentation.h"
#include "Encodings/Detection/ProseEvaluation.h"
#include "Encodings/Utf8.h"
#include "support/ProseCorpus.h"
#include "support/TextPrinting.h"

namespace velmora::detection {
namespace {

constexpr test::LengthBand kLengths[] = {{10, 3000}, {30, 3000}, {100, 1500}, {1000, 200}};

// Pieces of real Vietnamese prose of 10 to 1000 characters, written in every
// representation: from 30 characters up the guess is never wrong, and right
// at least 99 times in 100 (it refuses the rest). Prints the table.
TEST(DetectRepresentation, RealProseInEveryRepresentation) {
  const std::vector<Text> paragraphs = test::ManualParagraphs(test::kVietnameseManual);
  ASSERT_FALSE(paragraphs.empty()) << "maint-guide-vi is not installed (scripts/deps.sh)";
  const test::Evaluation evaluation = test::EvaluateDetection(paragraphs, kLengths);
  test::PrintEvaluation("Vietnamese prose (maint-guide-vi):", evaluation);
  test::ExpectRightAndNeverWrong(evaluation, 30, 0.99);
}

// English, French and Russian prose, in UTF-8 and in their own 8-bit code
// pages: never taken for Vietnamese in some representation.
TEST(DetectRepresentation, OtherLanguagesAreNeverTakenForVietnamese) {
  const struct {
    const char* name;
    std::vector<Text> paragraphs;
    std::vector<const char*> encodings;
  } languages[] = {
      {"English", test::PlainTextParagraphs(test::kEnglishLicence), {"UTF-8"}},
      {"French", test::ManualParagraphs(test::kFrenchManual), {"UTF-8", "ISO-8859-1", "CP1252"}},
      {"Russian", test::ManualParagraphs(test::kRussianManual), {"UTF-8", "KOI8-R", "CP1251"}},
  };
  for (const auto& language : languages) {
    ASSERT_FALSE(language.paragraphs.empty()) << language.name << " prose is not installed";
    for (const test::LengthBand& row : kLengths) {
      for (const Text& piece : test::ProsePieces(language.paragraphs, row.length, row.most / 2)) {
        for (const char* encoding : language.encodings) {
          const std::optional<std::string> bytes = test::IconvFromUtf8(encoding, piece);
          if (!bytes) continue;
          const RepresentationGuess guess = DetectRepresentation(*bytes);
          EXPECT_NE(guess.verdict, ReadingVerdict::Chosen)
              << language.name << " in " << encoding << " read as "
              << encodings::Describe(guess.representation).name << ": " << test::Readable(piece);
        }
      }
    }
  }
}

// A long input is judged by its start, never cut inside a character.
TEST(DetectRepresentation, TheSampleIsTheStartCutBetweenCharacters) {
  std::string words, letters;
  while (words.size() <= kDetectionSampleBytes) words += "Vi\xE1\xBB\x87t ";  // «Việt »
  while (letters.size() <= kDetectionSampleBytes) letters += "\xE1\xBB\x87";  // «ệ» without a break
  const struct {
    std::string input;
    std::size_t size;
  } cases[] = {
      {"short", 5},
      {words, words.rfind(' ', kDetectionSampleBytes - 1) + 1},
      {letters, kDetectionSampleBytes / 3 * 3},
  };
  for (const auto& c : cases) {
    const std::string_view sample = DetectionSample(c.input);
    EXPECT_EQ(sample.size(), c.size);
    EXPECT_TRUE(encodings::DecodeUtf8(sample, nullptr).has_value());
  }
}

}  // namespace
}  // namespace velmora::detection
