#include "ModMain/Letters/CharsetTables.h"

#include <algorithm>
#include <utility>

namespace velmora::letters {
namespace {

constexpr bool RowsAreNumberedInOrder() {
  for (std::size_t k = 0; k < kLetterCount; ++k) {
    if (kVietnameseLetters[k].number != static_cast<int>(k) + 1) return false;
  }
  return true;
}
static_assert(RowsAreNumberedInOrder());

constexpr bool IsToneMark(char16_t unit) {
  return std::find(kToneMarks.begin(), kToneMarks.end(), unit) != kToneMarks.end();
}

// Letters 1-14 have no composed pair; every other letter has a base and one
// of the five tone marks.
constexpr bool ComposedPairsAreWellFormed() {
  for (const VietnameseLetter& letter : kVietnameseLetters) {
    const bool toned = letter.number >= kFirstTonedLetter;
    if (toned != IsToneMark(letter.composed.mark)) return false;
    if (toned == (letter.composed.base == 0)) return false;
  }
  return true;
}
static_assert(ComposedPairsAreWellFormed());

static_assert(UnicodeLetters.size() == kUnicodeLettersLength);
static_assert(UnicodeComposedLetters.size() == kUnicodeComposedLettersLength);
static_assert(VniLetters.size() == kVniLettersLength);
static_assert(Tcvn3Letters.size() == kTcvn3LettersLength);
static_assert(Cp1258Letters.size() == kCp1258LettersLength);
static_assert(BaseLetters.size() == kBaseLettersLength);
static_assert(std::all_of(std::begin(kWrittenLetterTables), std::end(kWrittenLetterTables),
                          [](const LetterTable& table) {
                            return table.letters.size() == table.unitsPerLetter * kLetterCount;
                          }));
static_assert(BaseLetters ==
              u"aaAAdDeEooOOuUaaaaaaaaaaaaaaaAAAAAAAAAAAAAAAeeeeeeeeeeEEEEEEEEEEiiiiiIIIIIoooooooo"
              u"oooooooOOOOOOOOOOOOOOOuuuuuuuuuuUUUUUUUUUUyyyyyYYYYY");

constexpr bool AllBelow(TextView table, char16_t limit) {
  return std::all_of(table.begin(), table.end(), [limit](char16_t u) { return u < limit; });
}
static_assert(AllBelow(UnicodeComposedLetters, kIndexedUnits) &&
              AllBelow(UnicodeLetters, kIndexedUnits) && AllBelow(VniLetters, kIndexedUnits) &&
              AllBelow(Tcvn3Letters, kIndexedUnits) && AllBelow(Cp1258Letters, kIndexedUnits) &&
              AllBelow(BaseLetters, kIndexedUnits));

// 1-based position of the first occurrence of `w` in `table`, 0 for none:
// the search that reading a text by the tables describes.
std::size_t FoundAt(TextView table, TextView w) {
  const std::size_t at = table.find(w);
  return at == TextView::npos ? 0 : at + 1;
}

// Collects the two-unit letters of a source and numbers the rows (first
// units) and columns (second units) they need.
class SourceBuilder {
 public:
  void Alone(char16_t unit, std::size_t letter) {
    lookup_.roles[unit].alone = static_cast<std::uint8_t>(letter);
  }
  void Pair(char16_t first, char16_t second, std::size_t letter) {
    pairs_.push_back({first, second, letter});
  }
  SourceLookup Build() {
    std::size_t rows = 1;
    lookup_.columns = 1;  // row and column 0 mean none
    for (const auto& pair : pairs_) {
      UnitRole& first = lookup_.roles[pair.first];
      UnitRole& second = lookup_.roles[pair.second];
      if (first.first == 0) first.first = static_cast<std::uint8_t>(rows++);
      if (second.second == 0) second.second = static_cast<std::uint8_t>(lookup_.columns++);
    }
    lookup_.pairs.assign(rows * lookup_.columns, 0);
    for (const auto& pair : pairs_) {
      lookup_.pairs[lookup_.roles[pair.first].first * lookup_.columns +
                    lookup_.roles[pair.second].second] = static_cast<std::uint8_t>(pair.letter);
    }
    return std::move(lookup_);
  }

 private:
  struct PairLetter {
    char16_t first, second;
    std::size_t letter;
  };
  SourceLookup lookup_;
  std::vector<PairLetter> pairs_;
};

// Code 1: a base and tone mark of UnicodeComposedLetters, counted only as a
// whole pair (found at an odd position from 15 on: a window found across two
// neighbouring pairs, such as a grave followed by «a», is no letter); else
// the unit alone in UnicodeLetters.
SourceLookup BuildUnicodeSource() {
  constexpr std::size_t kFirstPairAt = kFirstTonedLetter;  // after the 14 single letters
  SourceBuilder builder;
  for (std::size_t d = kFirstPairAt; d < UnicodeComposedLetters.size(); d += 2) {
    const TextView w = UnicodeComposedLetters.substr(d - 1, 2);
    if (FoundAt(UnicodeComposedLetters, w) == d) builder.Pair(w[0], w[1], (d + 15) / 2);
  }
  for (const char16_t unit : UnicodeLetters) {
    builder.Alone(unit, FoundAt(UnicodeLetters, TextView(&unit, 1)));
  }
  return builder.Build();
}

// Codes 2 and 4: a two-unit entry found at its own (odd) position, its second
// unit not the filler; else the unit alone, found followed by the filler.
SourceLookup BuildTwoUnitSource(TextView table) {
  SourceBuilder builder;
  for (std::size_t d = 1; d < table.size(); d += 2) {
    const TextView w = table.substr(d - 1, 2);
    if (w[1] != kFillerSpace && FoundAt(table, w) == d) builder.Pair(w[0], w[1], (d + 1) / 2);
  }
  for (const char16_t unit : table) {
    const char16_t alone[] = {unit, kFillerSpace};
    const std::size_t f = FoundAt(table, TextView(alone, 2));
    if (f > 0) builder.Alone(unit, (f + 1) / 2);
  }
  return builder.Build();
}

// Every other code: the unit alone in Tcvn3Letters, the first occurrence
// (a toned capital's byte gives the lowercase letter).
SourceLookup BuildTcvn3Source() {
  SourceBuilder builder;
  for (const char16_t unit : Tcvn3Letters) {
    builder.Alone(unit, FoundAt(Tcvn3Letters, TextView(&unit, 1)));
  }
  return builder.Build();
}

Spelling SpellingOf(TextView entry) {
  entry = text::TrimSpaces(entry);
  Spelling spelling;
  spelling.length = static_cast<std::uint8_t>(entry.size());
  std::copy(entry.begin(), entry.end(), spelling.units.begin());
  return spelling;
}

CharsetLookups BuildLookups() {
  CharsetLookups lookups;
  lookups.unicode = BuildUnicodeSource();
  lookups.vni = BuildTwoUnitSource(VniLetters);
  lookups.tcvn3 = BuildTcvn3Source();
  lookups.cp1258 = BuildTwoUnitSource(Cp1258Letters);
  for (std::size_t t = 0; t < std::size(kWrittenLetterTables); ++t) {
    const LetterTable& table = kWrittenLetterTables[t];
    for (std::size_t k = 1; k <= kLetterCount; ++k) {
      lookups.targets[t][k] =
          SpellingOf(table.letters.substr(table.unitsPerLetter * (k - 1), table.unitsPerLetter));
    }
  }
  return lookups;
}

}  // namespace

const SourceLookup& CharsetLookups::ReadingOf(Representation from) const {
  switch (from) {
    case Representation::Unicode:
      return unicode;
    case Representation::Vni:
      return vni;
    case Representation::Cp1258:
      return cp1258;
    default:
      return tcvn3;
  }
}

const Spellings* CharsetLookups::WritingOf(Representation to) const {
  for (std::size_t t = 0; t < std::size(kWrittenLetterTables); ++t) {
    if (kWrittenLetterTables[t].representation == to) return &targets[t];
  }
  return nullptr;
}

const CharsetLookups& LoadCharsetTables() {
  // Built by the first caller; a concurrent first call waits for it.
  static const CharsetLookups lookups = BuildLookups();
  return lookups;
}

}  // namespace velmora::letters
