#include "ModMain/VietnameseScore.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ModMain/ConvertCharset.h"
#include "ModMain/VietnameseLetterFrequency.h"
#include "ModMain/VietnameseSyllable.h"

namespace velmora {
namespace {

// A letter as common as the average of the 67 lowercase letters weighs 0;
// ten times commoner, +0.5 (the most); much rarer, down to -2.
constexpr double kAverageShare = 100000.0 / 67.0;
constexpr double kWeightPerFold = 0.5 / 2.302585;  // 0.5 per factor of ten
constexpr double kCommonest = 0.5, kRarest = -2.0;
constexpr double kWeakSyllable = 0.25;
constexpr double kBrokenWord = 0.5;

// Built once: the weight of every precomposed letter, by code unit.
constexpr std::size_t kWeightedUnits = 0x1F00;
const std::array<float, kWeightedUnits>& LetterWeights() {
  static const auto table = [] {
    std::array<float, kWeightedUnits> weights{};
    for (const LetterFrequency& entry : VietnameseLetterFrequencies()) {
      const double share = std::max<double>(entry.per100000, 1.0) / kAverageShare;
      weights[entry.letter] =
          static_cast<float>(std::clamp(kWeightPerFold * std::log(share), kRarest, kCommonest));
    }
    return weights;
  }();
  return table;
}

bool SeparatesWords(char16_t c) {
  switch (c) {
    case u' ': case u'\t': case u'\r': case u'\n': case u'\f': case u'\v':
    case u'-': case u'/':
    case u'\u00A0':  // no-break space
    case u'\u2002': case u'\u2003': case u'\u2009': case u'\u200B': case u'\u3000':
      return true;
    default:
      return false;
  }
}

// What may stand around a word without being part of it.
bool IsEdgePunctuation(char16_t c) {
  if (c < 0x80) {
    return c > u' ' && !(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'Z') &&
           !(c >= u'a' && c <= u'z');
  }
  switch (c) {
    case u'\u00AB': case u'\u00BB':  // « »
    case u'\u2013': case u'\u2014':  // – —
    case u'\u2018': case u'\u2019': case u'\u201C': case u'\u201D':  // ‘ ’ “ ”
    case u'\u2026':  // …
      return true;
    default:
      return false;
  }
}

bool IsCombiningMark(char16_t c) {
  return c >= u'\u0300' && c <= u'\u036F';
}

void ScoreWord(TextView piece, VietnameseScore& score) {
  std::size_t begin = 0, end = piece.size();
  while (begin < end && IsEdgePunctuation(piece[begin])) ++begin;
  while (end > begin && IsEdgePunctuation(piece[end - 1])) --end;
  const TextView word = piece.substr(begin, end - begin);
  if (word.empty()) return;
  bool beyondAscii = false;
  for (const char16_t c : word) {
    if (IsAsciiDigit(c)) return;  // «2019», «978-604»: numbers are not words
    beyondAscii = beyondAscii || c >= 0x80;
  }
  ++score.words;
  const std::optional<SyllableParts> syllable = ReadSyllable(word);
  if (syllable) {
    ++score.syllables;
    // A well-formed syllable that the language does not use counts little,
    // and so does a lone letter.
    const bool lone = word.size() == 1;
    double weight = !lone ? 1.0 : kWeakSyllable;
    if (beyondAscii && !lone) {
      ++score.marked;
      const auto& weights = LetterWeights();
      const bool combining = std::any_of(word.begin(), word.end(), IsCombiningMark);
      const Text joined = combining ? ConvertCharset(word, CharsetUnicode, CharsetUnicode) : Text();
      bool beyondLatin1 = false;
      for (const char16_t c : combining ? TextView(joined) : word) {
        weight += c < kWeightedUnits ? weights[c] : 0.0f;
        beyondLatin1 = beyondLatin1 || c >= 0x100;
      }
      if (beyondLatin1) ++score.vietnameseOnly;
    }
    score.weight += std::max(weight, -1.0);
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
    }
  }
  return score;
}

}  // namespace velmora
