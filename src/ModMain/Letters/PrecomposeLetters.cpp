#include "ModMain/Letters/PrecomposeLetters.h"

#include <algorithm>
#include <array>

#include "ModMain/Letters/VietnameseLetters.h"

namespace velmora::letters {
namespace {

constexpr char16_t kNoMark = 0;

// Canonical combining classes (Unicode Character Database) of the eight marks.
constexpr int CombiningClass(char16_t mark) {
  switch (mark) {
    case kCombiningHorn:
      return 216;
    case kCombiningDotBelow:
      return 220;
    default:
      return 230;  // the other tone marks, circumflex, breve
  }
}

constexpr bool IsLetterMark(char16_t ch) {
  if (ch < kCombiningGrave || ch > kCombiningDotBelow) return false;  // most text, at once
  return ch == kCombiningCircumflex || ch == kCombiningBreve || ch == kCombiningHorn ||
         std::find(kToneMarks.begin(), kToneMarks.end(), ch) != kToneMarks.end();
}
static_assert(kCombiningGrave < kCombiningDotBelow && kCombiningHorn < kCombiningDotBelow &&
              kCombiningCircumflex > kCombiningGrave && kCombiningBreve > kCombiningGrave);

constexpr std::size_t kBlock = 32;

// Whether a block of kBlock units holds a unit of U+0300-U+0323, where the
// marks are: one unsigned comparison per unit, which the compiler vectorises.
bool BlockMayHoldMark(const char16_t* units) {
  constexpr char16_t kSpan = kCombiningDotBelow - kCombiningGrave;
  unsigned hits = 0;
  for (std::size_t k = 0; k < kBlock; ++k) {
    hits |= static_cast<char16_t>(units[k] - kCombiningGrave) <= kSpan ? 1u : 0u;
  }
  return hits != 0;
}

// A letter fully decomposed, its marks in canonical order: a stable sort by
// combining class, so «ệ» is e, dot below (220), circumflex (230), and «ế»
// e, circumflex, acute (both 230, in the order of decomposition).
struct Decomposition {
  char16_t base;
  char16_t first, second;  // second is kNoMark for a letter with one mark
  char16_t letter;
};

constexpr void PutInCanonicalOrder(char16_t& first, char16_t& second) {
  if (second != kNoMark && CombiningClass(first) > CombiningClass(second)) {
    std::swap(first, second);
  }
}

constexpr bool KeyLess(const Decomposition& a, const Decomposition& b) {
  if (a.base != b.base) return a.base < b.base;
  if (a.first != b.first) return a.first < b.first;
  return a.second < b.second;
}

constexpr bool LetterLess(const Decomposition& a, const Decomposition& b) {
  return a.letter < b.letter;
}

// Every letter but đ and Đ.
constexpr std::size_t kDecomposableLetters = kLetterCount - 2;
using Decompositions = std::array<Decomposition, kDecomposableLetters>;

constexpr Decompositions BuildDecompositions() {
  Decompositions out{};
  std::size_t i = 0;
  for (const VietnameseLetter& letter : kVietnameseLetters) {
    Decomposition d{letter.base, kNoMark, kNoMark, letter.unicode};
    if (letter.number < kFirstTonedLetter) {
      d.first = CombiningModifier(letter.unicode);
      if (d.first == kNoMark) continue;  // đ, Đ
    } else {
      // «ầ» is â and a grave: the base's own mark, if any, then the tone.
      d.first = CombiningModifier(letter.composed.base);
      d.second = letter.composed.mark;
      if (d.first == kNoMark) std::swap(d.first, d.second);
      PutInCanonicalOrder(d.first, d.second);
    }
    out[i++] = d;
  }
  if (i != kDecomposableLetters) throw "every letter but đ and Đ has a decomposition";
  return out;
}

constexpr Decompositions kByDecomposition = [] {
  Decompositions d = BuildDecompositions();
  std::sort(d.begin(), d.end(), KeyLess);
  for (std::size_t i = 1; i < d.size(); ++i) {
    if (!KeyLess(d[i - 1], d[i])) throw "two letters share a decomposition";
  }
  return d;
}();

constexpr Decompositions kByLetter = [] {
  Decompositions d = BuildDecompositions();
  std::sort(d.begin(), d.end(), LetterLess);
  return d;
}();

constexpr bool IsAsciiLetter(char16_t ch) {
  return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z');
}

// Where each class stands in the canonical order of the eight marks.
constexpr std::size_t ClassRank(char16_t mark) {
  const int combiningClass = CombiningClass(mark);
  return combiningClass == 216 ? 0 : combiningClass == 220 ? 1 : 2;
}

// Writes `starter` and the run of marks after it as the letter they spell
// and the marks left over, composing as Unicode's canonical composition
// does but only into Vietnamese letters: each mark in canonical order joins
// the letter so far when that makes a letter and no mark left over before
// it has its combining class. False, writing nothing, when that gives back
// the starter itself.
bool ComposeRun(char16_t starter, TextView run, Text& out) {
  char16_t base = starter;
  char16_t own[2] = {kNoMark, kNoMark};  // the starter's own marks, canonical order
  if (!IsAsciiLetter(starter)) {
    const auto found = std::lower_bound(kByLetter.begin(), kByLetter.end(),
                                        Decomposition{0, 0, 0, starter}, LetterLess);
    if (found == kByLetter.end() || found->letter != starter) return false;
    base = found->base;
    own[0] = found->first;
    own[1] = found->second;
  }
  Decomposition key{base, kNoMark, kNoMark, base};
  Text left;
  bool classLeft[3] = {false, false, false};
  const auto join = [&](char16_t mark) {
    const std::size_t rank = ClassRank(mark);
    if (!classLeft[rank] && key.second == kNoMark) {
      Decomposition joined = key;
      (joined.first == kNoMark ? joined.first : joined.second) = mark;
      const auto found =
          std::lower_bound(kByDecomposition.begin(), kByDecomposition.end(), joined, KeyLess);
      if (found != kByDecomposition.end() && !KeyLess(joined, *found)) {
        key = *found;
        return;
      }
    }
    left.push_back(mark);
    classLeft[rank] = true;
  };
  // The starter's marks and the run's in canonical order: a stable sort by
  // combining class, here three classes in three passes.
  for (std::size_t rank = 0; rank < 3; ++rank) {
    for (const char16_t mark : own) {
      if (mark != kNoMark && ClassRank(mark) == rank) join(mark);
    }
    for (const char16_t mark : run) {
      if (ClassRank(mark) == rank) join(mark);
    }
  }
  if (key.letter == starter) return false;
  out.push_back(key.letter);
  out.append(left);
  return true;
}

}  // namespace

void PrecomposeLettersInPlace(Text& text) {
  // The result goes to text[0, written): a letter and its leftover marks
  // never take more than its starter and marks, so it never reaches text
  // not yet read (from `copied` on).
  std::size_t copied = 0, written = 0;
  Text composed;
  const auto keep = [&](std::size_t end) {
    if (written != copied) {
      Text::traits_type::move(text.data() + written, text.data() + copied, end - copied);
    }
    written += end - copied;
  };
  for (std::size_t i = 0; i < text.size();) {
    // Text without marks is passed over a block at a time.
    if (i + kBlock <= text.size() && !BlockMayHoldMark(text.data() + i)) {
      i += kBlock;
      continue;
    }
    if (!IsLetterMark(text[i])) {
      ++i;
      continue;
    }
    // A run of marks [i, end) after its starter at i - 1.
    std::size_t end = i + 1;
    while (end < text.size() && IsLetterMark(text[end])) ++end;
    composed.clear();
    if (i > 0 && ComposeRun(text[i - 1], TextView(text).substr(i, end - i), composed)) {
      keep(i - 1);
      Text::traits_type::copy(text.data() + written, composed.data(), composed.size());
      written += composed.size();
      copied = end;
    }
    i = end;
  }
  if (copied == 0) return;
  keep(text.size());
  text.resize(written);
}

Text PrecomposeLetters(TextView text) {
  Text out(text);
  PrecomposeLettersInPlace(out);
  return out;
}

}  // namespace velmora::letters
