#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Encodings/Codecs.h"
#include "Encodings/Detection/DetectRepresentation.h"
#include "Encodings/Utf8.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "support/ProseCorpus.h"
#include "support/TextPrinting.h"

namespace velmora::detection {
namespace {

// Bytes as another program writes them: iconv where it knows the encoding.
std::optional<std::string> Iconv(const char* encoding, TextView text) {
  const iconv_t converter = iconv_open(encoding, "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = encodings::EncodeUtf8(text), out(in.size() * 4 + 16, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  const std::size_t result = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

// `text` as a file in `representation` holds it: Windows-1258, VISCII and
// TCVN 5712 VN1 written by iconv, the others by our encoders (iconv has none
// for them). nullopt when the representation cannot hold the text.
std::optional<std::string> Written(encodings::Representation representation, TextView text) {
  switch (representation) {
    case encodings::Representation::Cp1258:
      return Iconv("CP1258", text);
    case encodings::Representation::Viscii:
      return Iconv("VISCII", text);
    case encodings::Representation::Tcvn5712:
      return Iconv("TCVN5712-1", text);
    default:
      break;
  }
  std::string bytes;
  encodings::EncodeReport report;
  if (!encodings::EncodeRepresentation(representation, text, encodings::EncodeOptions{}, bytes,
                                       report)) {
    return std::nullopt;
  }
  return bytes;
}

Text Joined(TextView text) {
  return letters::ConvertCharset(text, letters::CharsetUnicode, letters::CharsetUnicode);
}

// The guess is right when it names the representation, or one that reads
// the bytes as the same text (TCVN3 and VN1 share their lowercase letters).
bool RightGuess(encodings::Representation truth, encodings::Representation guessed,
                const std::string& bytes) {
  if (guessed == truth) return true;
  const auto isUnicode = [](encodings::Representation r) {
    return r == encodings::Representation::Unicode ||
           r == encodings::Representation::UnicodeDecomposed;
  };
  if (isUnicode(truth) || isUnicode(guessed)) return false;
  const std::optional<Text> a = encodings::DecodeRepresentation(truth, bytes);
  const std::optional<Text> b = encodings::DecodeRepresentation(guessed, bytes);
  return a && b && Joined(*a) == Joined(*b);
}

struct Tally {
  std::size_t right = 0, refused = 0, wrong = 0;
  std::size_t Total() const { return right + refused + wrong; }
  double RightShare() const { return Total() == 0 ? 1.0 : double(right) / double(Total()); }
};

constexpr encodings::Representation kWritten[] = {
    encodings::Representation::Unicode,  encodings::Representation::UnicodeDecomposed,
    encodings::Representation::Vni,      encodings::Representation::Tcvn3,
    encodings::Representation::Cp1258,   encodings::Representation::Viscii,
    encodings::Representation::Tcvn5712, encodings::Representation::Viqr,
};

// Prose: at least half the words (between spaces, slashes, hyphens; with a
// letter) carry a letter beyond ASCII, as Vietnamese sentences do and file
// names, commands and English terms do not.
bool IsVietnameseProse(TextView text) {
  std::size_t words = 0, marked = 0;
  bool letter = false, beyondAscii = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char16_t c = i == text.size() ? u' ' : text[i];
    if (c == u' ' || c == u'\n' || c == u'/' || c == u'-') {
      if (letter) words += 1, marked += beyondAscii ? 1 : 0;
      letter = beyondAscii = false;
    } else {
      letter = letter || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c >= 0xC0;
      beyondAscii = beyondAscii || c >= 0xC0;
    }
  }
  return marked > 0 && 2 * marked >= words;
}

struct LengthRow {
  std::size_t length, most;
};
constexpr LengthRow kLengths[] = {{10, 3000}, {30, 3000}, {100, 1500}, {1000, 200}};

using Table = std::vector<std::vector<Tally>>;  // by representation, then length

void PrintTable(const char* title, const Table& table) {
  std::printf("%s\n%-20s", title, "right% right/refused/wrong");
  for (const LengthRow& row : kLengths) std::printf(" %24zu", row.length);
  std::printf("\n");
  for (std::size_t r = 0; r < std::size(kWritten); ++r) {
    std::printf("%-20s", std::string(encodings::Describe(kWritten[r]).name).c_str());
    for (const Tally& t : table[r]) {
      std::printf(" %7.2f%% %4zu/%4zu/%3zu", 100.0 * t.RightShare(), t.right, t.refused, t.wrong);
    }
    std::printf("\n");
  }
}

// Pieces of real Vietnamese prose of 10 to 1000 characters, written in every
// representation: from 30 characters up the guess is never wrong, and right
// at least 99 times in 100 (it refuses the rest). Prints the table.
TEST(DetectRepresentation, RealProseInEveryRepresentation) {
  const std::vector<Text> paragraphs = test::ManualParagraphs(test::kVietnameseManual);
  ASSERT_FALSE(paragraphs.empty()) << "maint-guide-vi is not installed (scripts/deps.sh)";
  Table prose(std::size(kWritten), std::vector<Tally>(std::size(kLengths)));
  std::vector<std::string> wrongs;
  for (std::size_t l = 0; l < std::size(kLengths); ++l) {
    for (const Text& piece : test::ProsePieces(paragraphs, kLengths[l].length, kLengths[l].most)) {
      if (!IsVietnameseProse(piece)) continue;
      for (std::size_t r = 0; r < std::size(kWritten); ++r) {
        const std::optional<std::string> bytes = Written(kWritten[r], piece);
        if (!bytes) continue;
        const RepresentationGuess guess = DetectRepresentation(*bytes);
        std::size_t Tally::*outcome = &Tally::refused;
        if (guess.verdict == ReadingVerdict::Chosen) {
          outcome =
              RightGuess(kWritten[r], guess.representation, *bytes) ? &Tally::right : &Tally::wrong;
        }
        ++(prose[r][l].*outcome);
        if (outcome == &Tally::wrong && kLengths[l].length >= 30) {
          wrongs.push_back(std::string(encodings::Describe(kWritten[r]).name) + " read as " +
                           std::string(encodings::Describe(guess.representation).name) + ": " +
                           test::Readable(piece));
        }
      }
    }
  }
  PrintTable("Vietnamese prose:", prose);
  for (const std::string& wrong : wrongs) ADD_FAILURE() << wrong;
  for (std::size_t r = 0; r < std::size(kWritten); ++r) {
    for (std::size_t l = 0; l < std::size(kLengths); ++l) {
      if (kLengths[l].length >= 30) {
        EXPECT_GE(prose[r][l].RightShare(), 0.99)
            << encodings::Describe(kWritten[r]).name << " at " << kLengths[l].length;
      }
    }
  }
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
    for (const LengthRow& row : kLengths) {
      for (const Text& piece : test::ProsePieces(language.paragraphs, row.length, row.most / 2)) {
        for (const char* encoding : language.encodings) {
          const std::optional<std::string> bytes = Iconv(encoding, piece);
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
