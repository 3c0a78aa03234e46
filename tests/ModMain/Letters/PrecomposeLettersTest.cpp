// Precomposing against ICU's normaliser as the independent judge: every
// spelling of every letter that ICU calls canonically equivalent to it
// becomes the letter, in the midst of text that must stay as it is.
#include <gtest/gtest.h>
#include <unicode/normalizer2.h>

#include <random>
#include <vector>

#include "ModMain/Letters/PrecomposeLetters.h"
#include "ModMain/Letters/VietnameseLetters.h"
#include "support/TextPrinting.h"

namespace velmora::letters {
namespace {

const icu::Normalizer2& Nfd() {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  EXPECT_TRUE(U_SUCCESS(status));
  return *nfd;
}

Text Decomposed(TextView text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::UnicodeString source(false, text.data(), static_cast<int32_t>(text.size()));
  const icu::UnicodeString out = Nfd().normalize(source, status);
  EXPECT_TRUE(U_SUCCESS(status));
  return Text(out.getBuffer(), static_cast<std::size_t>(out.length()));
}

constexpr char16_t kMarks[] = {kCombiningGrave, kCombiningHookAbove, kCombiningTilde,
                               kCombiningAcute, kCombiningDotBelow,  kCombiningCircumflex,
                               kCombiningBreve, kCombiningHorn};

// Every spelling ICU finds equivalent to `letter`: a starter (the plain base,
// or any precomposed Latin letter on it) followed by up to two marks.
std::vector<Text> Spellings(char16_t letter) {
  const Text target = Decomposed(TextView(&letter, 1));
  std::vector<Text> starters{Text(1, target[0])};
  for (char16_t c = 0x00C0; c <= 0x1EFF; ++c) {
    if (c == 0x0250) c = 0x1E00;  // the Latin blocks only
    if (c != target[0] && Decomposed(TextView(&c, 1)).starts_with(target[0])) {
      starters.emplace_back(1, c);
    }
  }
  std::vector<Text> found;
  for (const Text& starter : starters) {
    std::vector<Text> candidates{starter};
    for (const char16_t m1 : kMarks) {
      candidates.push_back(starter + m1);
      for (const char16_t m2 : kMarks) candidates.push_back(starter + m1 + m2);
    }
    for (const Text& candidate : candidates) {
      if (Decomposed(candidate) == target) found.push_back(candidate);
    }
  }
  return found;
}

// Text that must come back as it is, around each spelling: bases with marks
// that spell no Vietnamese letter (ǹ, î, q with a dot below), a mark with no
// base, a mark of another kind, đ, a Nôm character beyond the BMP, MARC marks.
// Only those that begin with no mark follow a spelling: a mark there would
// belong to the letter.
const TextView kUnchanged[] = {
    u"",       u"$a",    u"n\u0300",    u"\u0300x",  u"i\u0302 ",      u"\u0304",
    u"\u0111", u"%245=", u"\U00021A38", u"q\u0323 ", u"b\u0323\u0302",
};

bool BeginsWithAMark(TextView text) {
  return !text.empty() && text[0] >= 0x0300 && text[0] <= 0x036F;
}

TEST(PrecomposeLetters, EverySpellingOfEveryLetterBecomesTheLetter) {
  std::size_t spellings = 0;
  for (const VietnameseLetter& letter : kVietnameseLetters) {
    const std::vector<Text> all = Spellings(letter.unicode);
    ASSERT_FALSE(all.empty()) << letter.number;
    for (const Text& spelling : all) {
      ++spellings;
      const TextView before = kUnchanged[spellings % std::size(kUnchanged)];
      TextView after = kUnchanged[(spellings * 5 + 3) % std::size(kUnchanged)];
      if (BeginsWithAMark(after)) after = u" ";
      const Text text = Text(before) + spelling + Text(after);
      EXPECT_TEXT_EQ(PrecomposeLetters(text), Text(before) + letter.unicode + Text(after))
          << "letter " << letter.number;
    }
  }
  // 1 spelling for đ and Đ; 2 for each of the 72 letters with one mark; 3
  // for the 32 with a circumflex or breve and another tone than the dot
  // below (marks of one combining class keep their order), 5 for the 28 whose
  // two marks may come in either order: 2 + 144 + 96 + 140.
  EXPECT_EQ(spellings, 382u);
}

// As Unicode's canonical composition: a mark that does not fit the letter
// stays after it, the leftovers in canonical order.
TEST(PrecomposeLetters, MarksBeyondTheLetterStayAfterIt) {
  const struct {
    TextView text, expected;
  } cases[] = {
      {u"e\u0301\u0302", u"\u00E9\u0302"},              // é, circumflex: no ế
      {u"\u00EA\u0301\u0301", u"\u1EBF\u0301"},         // ê, two acutes: ế, acute
      {u"\u1EDD\u0323", u"\u1EE3\u0300"},               // ờ, dot below: ợ, grave
      {u"a\u0300\u0301\u0323", u"\u1EA1\u0300\u0301"},  // ạ, then the others in order
      {u"e\u0304\u0323", u"e\u0304\u0323"},             // a macron ends the run
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(PrecomposeLetters(c.text), c.expected) << test::Readable(c.text);
    EXPECT_TEXT_EQ(Decomposed(c.expected), Decomposed(c.text));
  }
  const Text flood = u"a" + Text(200000, kCombiningAcute);  // linear, however long the run
  EXPECT_TEXT_EQ(PrecomposeLetters(flood), u"\u00E1" + Text(199999, kCombiningAcute));
}

TEST(PrecomposeLetters, TextWithoutLettersToJoinComesBackAsItIs) {
  for (const TextView text : kUnchanged) EXPECT_TEXT_EQ(PrecomposeLetters(text), text);
  const Text precomposed = u"Vi\u1EC7t Nam, \u0110\u01B0\u1EDDng";  // Việt Nam, Đường
  EXPECT_TEXT_EQ(PrecomposeLetters(precomposed), precomposed);
}

// Whatever comes, the result means the same text (ICU's canonical
// equivalence) and a second pass changes nothing.
TEST(PrecomposeLetters, StaysCanonicallyEquivalentOnRandomTexts) {
  const TextView alphabet[] = {u"a",      u"e",      u"o",      u"u",      u"y",
                               u"A",      u"b",      u"\u00EA", u"\u1EB9", u"\u01A1",
                               u"\u00F2", u"\u0111", u" ",      u"$",      u"\u0304"};
  std::mt19937 random(17);
  for (int round = 0; round < 20000; ++round) {
    Text text;
    for (int n = std::uniform_int_distribution<int>(0, 12)(random); n > 0; --n) {
      text += std::uniform_int_distribution<int>(0, 2)(random) == 0
                  ? Text(1, kMarks[std::uniform_int_distribution<int>(0, 7)(random)])
                  : Text(alphabet[std::uniform_int_distribution<int>(0, 14)(random)]);
    }
    const Text once = PrecomposeLetters(text);
    ASSERT_TEXT_EQ(Decomposed(once), Decomposed(text)) << test::Readable(text);
    ASSERT_TEXT_EQ(PrecomposeLetters(once), once) << test::Readable(text);
  }
}

}  // namespace
}  // namespace velmora::letters
