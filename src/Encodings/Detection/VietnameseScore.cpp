#include "Encodings/Detection/VietnameseScore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <unordered_map>

#include "Encodings/Detection/VietnameseLetterFrequency.h"
#include "Encodings/Detection/VietnameseRimeFrequency.h"
#include "Encodings/Detection/VietnameseSyllable.h"
#include "ModMain/Letters/ConvertCharset.h"

namespace velmora::detection {
namespace {

// A letter as common as the average of the 67 lowercase letters weighs 0;
// ten times commoner, +0.5 (the most); much rarer, down to -2.
constexpr double kAverageShare = 100000.0 / 67.0;
constexpr double kLn10 = 2.302585;
constexpr double kLetterWeightPerFold = 0.5 / kLn10;  // 0.5 per factor of ten
constexpr double kCommonestLetter = 0.5, kRarestLetter = -2.0;
// A rime and tone as common as the average of those listed weighs 0; one per
// factor of ten, from -1 to +1; one that real text never has, -2.5.
constexpr double kRimeWeightPerFold = 1.0 / kLn10;
constexpr double kCommonestRime = 1.0, kRarestRime = -1.0, kUnheardRime = -2.5;
constexpr double kSyllable = 1.0;
constexpr double kLoneLetter = 0.25;  // «ở», «ý»: also what a stray byte reads as
constexpr double kLeastSyllableWeight = -1.5;
constexpr double kBrokenWord = 0.5;

double WeightPerFold(double share, double perFold, double least, double most) {
  return std::clamp(perFold * std::log(std::max(share, 1e-9)), least, most);
}

// Built once: the weight of every precomposed letter, by code unit.
constexpr std::size_t kWeightedUnits = 0x1F00;
const std::array<float, kWeightedUnits>& LetterWeights() {
  static const auto table = [] {
    std::array<float, kWeightedUnits> weights{};
    for (const LetterFrequency& entry : VietnameseLetterFrequencies()) {
      const double share = std::max<double>(entry.per100000, 1.0) / kAverageShare;
      weights[entry.letter] = static_cast<float>(
          WeightPerFold(share, kLetterWeightPerFold, kRarestLetter, kCommonestLetter));
    }
    return weights;
  }();
  return table;
}

// «ươi», grave, after an onset -> «ươi» U+0001 «+».
std::u16string RimeKey(bool afterOnset, std::u16string_view rime, SyllableTone tone) {
  std::u16string key(rime);
  key.push_back(static_cast<char16_t>(tone));
  key.push_back(afterOnset ? u'+' : u'-');
  return key;
}

// Built once: the weight of every rime and tone that real text has.
const std::unordered_map<std::u16string, float>& RimeWeights() {
  static const auto table = [] {
    std::unordered_map<std::u16string, float> weights;
    const std::span<const RimeFrequency> all = VietnameseRimeFrequencies();
    const double average = 100000.0 / static_cast<double>(all.size());
    for (const RimeFrequency& entry : all) {
      const double share = std::max<double>(entry.per100000, 1.0) / average;
      weights[RimeKey(entry.afterOnset, entry.rime, entry.tone)] =
          static_cast<float>(WeightPerFold(share, kRimeWeightPerFold, kRarestRime, kCommonestRime));
    }
    return weights;
  }();
  return table;
}

double RimeWeight(const SyllableParts& syllable) {
  const auto& weights = RimeWeights();
  const auto found = weights.find(RimeKey(syllable.rimeStart > 0, syllable.Rime(), syllable.tone));
  return found == weights.end() ? kUnheardRime : found->second;
}

bool SeparatesWords(char16_t c) {
  switch (c) {
    // clang-format off
    case u' ': case u'\t': case u'\r': case u'\n': case u'\f': case u'\v':
    case u'-': case u'/':
    case u'$': case u'|': case u'%': case u'=':  // a copied or output record's delimiters
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

void ScoreWord(TextView piece, VietnameseScore& score) {
  piece = WithoutSubfieldCode(piece);
  std::size_t begin = 0, end = piece.size();
  while (begin < end && IsEdgePunctuation(piece[begin])) ++begin;
  while (end > begin && IsEdgePunctuation(piece[end - 1])) --end;
  const TextView word = piece.substr(begin, end - begin);
  if (word.empty()) return;
  bool beyondAscii = false, digit = false, latinLetter = false;
  for (const char16_t c : word) {
    digit = digit || text::IsAsciiDigit(c);
    beyondAscii = beyondAscii || c >= 0x80;
    latinLetter = latinLetter || IsLatinLetterBeyondAscii(c);
  }
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
  if (syllable) {
    ++score.syllables;
    // With diacritics, the syllable weighs as common as its rime and tone
    // and its letters are: a wrong reading of legacy bytes gives rare ones.
    const bool lone = word.size() == 1;
    double weight = lone ? kLoneLetter : kSyllable;
    if (beyondAscii) weight += RimeWeight(*syllable);
    if (beyondAscii && !lone) {
      ++score.marked;
      const auto& letterWeights = LetterWeights();
      const bool combining = std::any_of(word.begin(), word.end(), IsCombiningMark);
      const Text joined = combining ? letters::ConvertCharset(word, letters::CharsetUnicode,
                                                              letters::CharsetUnicode)
                                    : Text();
      bool beyondLatin1 = false;
      for (const char16_t c : combining ? TextView(joined) : word) {
        weight += c < kWeightedUnits ? letterWeights[c] : 0.0f;
        beyondLatin1 = beyondLatin1 || c >= 0x100;
      }
      if (beyondLatin1) ++score.vietnameseOnly;
    }
    score.weight += std::max(weight, kLeastSyllableWeight);
  } else if (beyondAscii) {
    ++score.broken;
    score.weight -= kBrokenWord;
  }
}

}  // namespace

VietnameseScore ScoreVietnamese(TextView text) {
  VietnameseScore score;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || SeparatesWords(text[i])) {
      if (i > start) ScoreWord(text.substr(start, i - start), score);
      start = i + 1;
      // «$avăn», «|avăn»: the subfield code is no part of the word.
      const bool delimiter = i < text.size() && (text[i] == u'$' || text[i] == u'|');
      if (delimiter && start < text.size() && IsSubfieldCode(text[start])) ++start;
    }
  }
  return score;
}

}  // namespace velmora::detection
