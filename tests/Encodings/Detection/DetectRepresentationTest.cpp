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

// A reading that leaves control characters where another reads letters is
// never chosen: VN1's toned capitals are in C0, where TCVN3 has controls.
// Controls that every reading leaves (a DOS end-of-file mark, ISO 2709's
// separators) tell nothing, and a reading that has none only because it
// reads them as letters is no better for that.
TEST(DetectRepresentation, ControlCharactersMakeNoGoodReading) {
  using encodings::Representation;
  // «Ứng dụng tin học, Ý kiến bạn đọc và Ủy ban nhân dân»: Ứ, Ý are C0 in VN1.
  const Text capitals =
      u"\u1EE8ng d\u1EE5ng tin h\u1ECDc, \u00DD ki\u1EBFn b\u1EA1n \u0111\u1ECDc "
      u"v\u00E0 \u1EE6y ban nh\u00E2n d\u00E2n";
  // «Thư viện quốc gia Việt Nam lưu giữ sách báo»
  const Text prose =
      u"Th\u01B0 vi\u1EC7n qu\u1ED1c gia Vi\u1EC7t Nam l\u01B0u gi\u1EEF s\u00E1ch b\u00E1o";
  const auto written = [](Representation r, TextView text) {
    return test::Written(r, text).value_or("");
  };
  const struct {
    const char* what;
    std::string bytes;
    ReadingVerdict verdict;
    Representation representation;
  } cases[] = {
      {"VN1 with capitals in C0", written(Representation::Tcvn5712, capitals),
       ReadingVerdict::Chosen, Representation::Tcvn5712},
      // «TMỤC», an abbreviation in capitals, is no word, but TCVN3's «TM\x02C» no better.
      {"VN1 with an abbreviation whose capital is in C0",
       written(Representation::Tcvn5712, prose + u" TM\u1EE4C"), ReadingVerdict::Chosen,
       Representation::Tcvn5712},
      {"TCVN3 ending in a DOS end-of-file mark", written(Representation::Tcvn3, prose) + "\x1A",
       ReadingVerdict::Chosen, Representation::Tcvn3},
      {"a TCVN3 field of ISO 2709",
       "10\x1F"
       "a" +
           written(Representation::Tcvn3, prose) + "\x1E\x1D",
       ReadingVerdict::Chosen, Representation::Tcvn3},
      {"VNI with a stray STX, a letter in VN1 and VISCII only",
       written(Representation::Vni, prose) + "\x02", ReadingVerdict::NotVietnamese,
       Representation::Unicode},
      {"UTF-8 with a stray SOH, a letter in VN1 only",
       written(Representation::Unicode, prose) + "\x01", ReadingVerdict::NotVietnamese,
       Representation::Unicode},
  };
  for (const auto& c : cases) {
    const RepresentationGuess guess = DetectRepresentation(c.bytes);
    EXPECT_EQ(guess.verdict, c.verdict) << c.what;
    if (c.verdict == ReadingVerdict::Chosen) {
      EXPECT_EQ(guess.representation, c.representation) << c.what;
      EXPECT_EQ(guess.reading.find_first_of(u"\x01\x02\x04\x05\x06\x11\x12\x13\x14\x15\x16\x17"),
                Text::npos)
          << c.what;
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
