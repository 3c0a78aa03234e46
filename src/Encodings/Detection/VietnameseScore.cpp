#include "Encodings/Detection/VietnameseScore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/Detection/VietnameseSyllable.h"
#include "Encodings/Detection/VietnameseSyllableFrequency.h"
#include "ModMain/Letters/ConvertCharset.h"

namespace velmora::detection {
namespace {

// Weights are in factors of ten: a syllable with a diacritic as common as the
// average of those the counted text has weighs kSyllable, one more or less
// for each factor of ten, within kRarestSyllable to kCommonestSyllable of it;
// a word of the dictionary that the counted text does not have weighs as the
// rarest counted one. A well-formed syllable that is no word of the language
// («dủa», the rime of «của» after another onset) weighs kNoWord, a word with
// a letter beyond ASCII that is no syllable at all -kBrokenWord: wrong
// readings of legacy bytes are made of them. Lone letters («ở», «ý») are
// also what a stray byte reads as: a counted one weighs a quarter of a
// syllable more or less as it is common, one the counted text never has
// alone («Ộ» of a TCVN3 dash read as VN1) is no word. The figures were set
// on the development prose (maint-guide-vi, the Installation Guide), where
// they leave the fewest right readings close to a wrong one.
constexpr double kLn10 = 2.302585;
constexpr double kSyllable = 1.0, kLoneLetter = 0.25;
constexpr double kCommonestSyllable = 1.5, kRarestSyllable = -1.5;
constexpr double kNoWord = -2.5, kBrokenWord = 2.5;

// A syllable's letters and tone as one number: 6 bits a letter (a to z 1 to
// 26, then ă â đ ê ô ơ ư), 3 bits the tone. Seven letters at most: 45 bits.
std::uint64_t SpellingLetterPlace(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<std::uint64_t>(c - u'a') + 1;
  switch (c) {
    // clang-format off
    case u'\u0103': return 27;  case u'\u00E2': return 28;  case u'\u0111': return 29;
    case u'\u00EA': return 30;  case u'\u00F4': return 31;  case u'\u01A1': return 32;
    case u'\u01B0': return 33;
    default: return 63;
      // clang-format on
  }
}

std::uint64_t SyllableKey(std::u16string_view letters, SyllableTone tone) {
  std::uint64_t key = 0;
  for (const char16_t c : letters) key = key << 6 | SpellingLetterPlace(c);
  return key << 3 | static_cast<std::uint64_t>(tone);
}

struct SyllableFold {
  std::uint64_t key;
  // How much more or less common than the average counted syllable, in
  // factors of ten; NaN for a word of the dictionary the counted text lacks.
  float fold;
};

// Built once: every syllable with a diacritic of the language, by key.
const std::vector<SyllableFold>& SyllableFolds() {
  static const auto table = [] {
    std::vector<SyllableFold> folds;
    const std::span<const SyllableFrequency> all = VietnameseSyllableFrequencies();
    std::size_t counted = 0;
    for (const SyllableFrequency& entry : all) counted += entry.perMillion > 0 ? 1 : 0;
    const double average = 1e6 / static_cast<double>(std::max<std::size_t>(counted, 1));
    folds.reserve(all.size());
    for (const SyllableFrequency& entry : all) {
      folds.push_back({SyllableKey(entry.letters, entry.tone),
                       entry.perMillion == 0
                           ? std::nanf("")
                           : static_cast<float>(std::log(entry.perMillion / average) / kLn10)});
    }
    std::sort(folds.begin(), folds.end(),
              [](const SyllableFold& a, const SyllableFold& b) { return a.key < b.key; });
    return folds;
  }();
  return table;
}

// The weight of a syllable with a diacritic.
double MarkedSyllableWeight(const SyllableParts& syllable, bool lone) {
  const std::vector<SyllableFold>& folds = SyllableFolds();
  const std::uint64_t key = SyllableKey({syllable.letters.data(), syllable.length}, syllable.tone);
  const auto found = std::lower_bound(
      folds.begin(), folds.end(), key,
      [](const SyllableFold& entry, std::uint64_t wanted) { return entry.key < wanted; });
  if (found == folds.end() || found->key != key) return kNoWord;
  if (std::isnan(found->fold)) return lone ? kNoWord : kSyllable + kRarestSyllable;
  const double fold = std::clamp<double>(found->fold, kRarestSyllable, kCommonestSyllable);
  return lone ? kLoneLetter * (1.0 + fold) : kSyllable + fold;
}

bool IsStrayControl(char16_t c) {
  if (c < 0x20) return !(c >= u'\t' && c <= u'\r') && c < 0x1C;
  return c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

bool SeparatesWords(char16_t c) {
  switch (c) {
    // clang-format off
    case u' ': case u'\t': case u'\r': case u'\n': case u'\f': case u'\v':
    case u'-': case u'/':
    case u'$': case u'|': case u'%': case u'=':  // a copied or output record's delimiters
    case u'\x1C': case u'\x1D': case u'\x1E': case u'\x1F':  // ISO 2709's
    case u'\u00A0':  // no-break space
    case u'\u2002': case u'\u2003': case u'\u2009': case u'\u200B': case u'\u3000':
      // clang-format on
      return true;
    default:
      return false;
  }
}

// What may stand around a word without being part of it: ASCII punctuation
// but VIQR's marks that are none in prose (^ + ` ~: «nhu+» is no «nhu»).
bool IsEdgePunctuation(char16_t c) {
  if (c < 0x80) {
    return c > u' ' && !text::IsAsciiDigit(c) && !(c >= u'A' && c <= u'Z') &&
           !(c >= u'a' && c <= u'z') && c != u'^' && c != u'+' && c != u'`' && c != u'~';
  }
  switch (c) {
    // clang-format off
    case u'\u00AB': case u'\u00BB':  // « »
    case u'\u2013': case u'\u2014':  // – —
    case u'\u2018': case u'\u2019': case u'\u201C': case u'\u201D':  // ‘ ’ “ ”
    // clang-format on
    case u'\u2026':  // …
      return true;
    default:
      return false;
  }
}

// À-ɏ and Ạ-ỹ: the letters a wrong reading of legacy bytes makes.
bool IsLatinLetterBeyondAscii(char16_t c) {
  return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x1E00 && c <= 0x1EFF);
}

bool IsCombiningMark(char16_t c) {
  return c >= u'\u0300' && c <= u'\u036F';
}

bool IsCapital(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
         (c >= 0x100 && c <= 0x1FF && c % 2 == 0 && c != 0x130) ||
         (c >= 0x1EA0 && c <= 0x1EF9 && c % 2 == 0);
}

bool IsSubfieldCode(char16_t c) {
  return (c >= u'a' && c <= u'z') || text::IsAsciiDigit(c);
}

// Hue's layout glues a subfield code to a capitalised word: «aVăn».
TextView WithoutSubfieldCode(TextView piece) {
  return piece.size() > 2 && IsSubfieldCode(piece[0]) && IsCapital(piece[1]) ? piece.substr(1)
                                                                             : piece;
}

// A letter of some script, as opposed to the punctuation, symbols and
// controls that stand beside words («•», «©», «½»): ASCII letters and what
// lies beyond Latin-1's symbols, but the punctuation, symbol and control blocks.
bool IsLetterOfAnyScript(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
  return !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F) &&
         !(c >= 0xE000 && c <= 0xF8FF) && !(c >= 0xFFF0);
}

void ScoreWord(TextView piece, VietnameseScore& score) {
  piece = WithoutSubfieldCode(piece);
  std::size_t begin = 0, end = piece.size();
  // Curly quotes open a word or close it, never the other way round: «GTR‘»
  // is VN1's «GTRỊ» read as TCVN3, no word in quotes.
  const auto closes = [](char16_t c) { return c == u'\u2019' || c == u'\u201D'; };
  const auto opens = [](char16_t c) { return c == u'\u2018' || c == u'\u201C'; };
  while (begin < end && IsEdgePunctuation(piece[begin]) && !closes(piece[begin])) ++begin;
  while (end > begin && IsEdgePunctuation(piece[end - 1]) && !opens(piece[end - 1])) --end;
  const TextView word = piece.substr(begin, end - begin);
  // «vie^.t», «ngu+o+`i», «la('m»: VIQR's marks inside a word, read as they
  // are, make no word either.
  bool beyondAscii = false, digit = false, latinLetter = false, letter = false, viqrMarks = false;
  for (const char16_t c : word) {
    if (c < 0x80) {
      digit = digit || text::IsAsciiDigit(c);
      letter = letter || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
      viqrMarks = viqrMarks || c == u'^' || c == u'+' || c == u'`' || c == u'~' || c == u'(';
    } else {
      beyondAscii = true;
      latinLetter = latinLetter || IsLatinLetterBeyondAscii(c);
      letter = letter || IsLetterOfAnyScript(c);
    }
  }
  if (!letter) return;  // «•», «—», «©»: no word
  if (digit) {
    // «2019», «978-604»: numbers are not words; but «1Ọ7» is a dash read as a letter.
    if (latinLetter) {
      ++score.broken;
      score.weight -= kBrokenWord;
    }
    return;
  }
  ++score.words;
  const std::optional<SyllableParts> syllable = ReadSyllable(word);
  if (!syllable) {
    if (beyondAscii || viqrMarks) {
      ++score.broken;
      score.weight -= kBrokenWord;
    }
    return;
  }
  ++score.syllables;
  const bool lone = word.size() == 1;
  if (!beyondAscii) {
    score.weight += lone ? kLoneLetter : kSyllable;
    return;
  }
  score.weight += MarkedSyllableWeight(*syllable, lone);
  if (lone) return;
  ++score.marked;
  const bool combining = std::any_of(word.begin(), word.end(), IsCombiningMark);
  const Text joined =
      combining ? letters::ConvertCharset(word, letters::CharsetUnicode, letters::CharsetUnicode)
                : Text();
  const TextView letters = combining ? TextView(joined) : word;
  if (std::any_of(letters.begin(), letters.end(), [](char16_t c) { return c >= 0x100; })) {
    ++score.vietnameseOnly;
  }
}

}  // namespace

VietnameseScore ScoreVietnamese(TextView text) {
  VietnameseScore score;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && IsStrayControl(text[i])) ++score.controls;
    if (i == text.size() || SeparatesWords(text[i])) {
      if (i > start) ScoreWord(text.substr(start, i - start), score);
      start = i + 1;
      // «$avăn», «|avăn», ISO 2709's «\x1Favăn»: the subfield code is no part of the word.
      const bool delimiter =
          i < text.size() && (text[i] == u'$' || text[i] == u'|' || text[i] == u'\x1F');
      if (delimiter && start < text.size() && IsSubfieldCode(text[start])) ++start;
    }
  }
  return score;
}

}  // namespace velmora::detection
