#include "Encodings/Marc8CharacterSets.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "Encodings/Marc8Tables.h"

namespace velmora::marc8 {
namespace {

// clang-format off
constexpr std::array<CharacterSet, 12> kCharacterSets = {{
  {kBasicLatin, "basic Latin (ASCII)",         1, Graphic::G0, "\x1B(B"},
  {kAnsel,      "extended Latin (ANSEL)",      1, Graphic::G1, "\x1B)E"},
  {0x67,        "Greek symbols",               1, Graphic::G0, "\x1Bg"},
  {0x62,        "subscripts",                  1, Graphic::G0, "\x1B" "b"},
  {0x70,        "superscripts",                1, Graphic::G0, "\x1Bp"},
  {0x32,        "basic Hebrew",                1, Graphic::G0, "\x1B(2"},
  {0x4E,        "basic Cyrillic",              1, Graphic::G0, "\x1B(N"},
  {0x51,        "extended Cyrillic",           1, Graphic::G1, "\x1B)Q"},
  {0x33,        "basic Arabic",                1, Graphic::G0, "\x1B(3"},
  {0x34,        "extended Arabic",             1, Graphic::G1, "\x1B)4"},
  {0x53,        "basic Greek",                 1, Graphic::G0, "\x1B(S"},
  {kEastAsian,  "East Asian (EACC)",           3, Graphic::G0, "\x1B$1"},
}};
// clang-format on

std::uint64_t Key(std::uint8_t set, std::uint32_t code) {
  return (std::uint64_t{set} << 32) | code;
}

// The code tables by set and code, and by code point, made once.
class CodeTables {
 public:
  CodeTables() {
    byCode_.reserve(kCharacters.size());
    byCodePoint_.reserve(kCharacters.size());
    for (const CharacterSet& set : kCharacterSets) {
      if (set.width == 1) {
        setIndex_[set.final] = static_cast<std::int8_t>(single_.size());
        single_.emplace_back();
      }
    }
    for (const Character& c : kCharacters) {
      if (c.code < 0x100 && setIndex_[c.set] >= 0) {
        single_[static_cast<std::size_t>(setIndex_[c.set])][c.code] =
            Found{c.codePoint, c.combining};
      }
      byCode_.emplace(Key(c.set, c.code), Found{c.codePoint, c.combining});
      inSet_.emplace(Key(c.set, c.codePoint), c.code);
      if (c.preferred) byCodePoint_.emplace(c.codePoint, Placement{c.set, c.code, c.combining});
      if (c.set == kBasicLatin && c.code < 0x80) ascii_[c.code] = true;
    }
    // The first half of a double diacritic on its own.
    for (const DoubleDiacritic& d : kDoubleDiacritics) {
      byCodePoint_.emplace(d.firstHalfAlone, Placement{d.set, d.firstHalf, true});
    }
  }

  std::optional<Found> Lookup(std::uint8_t set, std::uint32_t code) const {
    if (set < 0x80 && code < 0x100 && setIndex_[set] >= 0) {
      const Found& found = single_[static_cast<std::size_t>(setIndex_[set])][code];
      if (found.codePoint == 0) return std::nullopt;  // no set holds U+0000
      return found;
    }
    const auto found = byCode_.find(Key(set, code));
    if (found == byCode_.end()) return std::nullopt;
    return found->second;
  }

  std::optional<Placement> Place(char32_t codePoint, std::uint8_t g0, std::uint8_t g1) const {
    if (codePoint < 0x80 && g0 == kBasicLatin && ascii_[codePoint]) {
      return Placement{kBasicLatin, codePoint, false};
    }
    const auto found = byCodePoint_.find(codePoint);
    if (found == byCodePoint_.end()) return std::nullopt;
    for (const std::uint8_t current : {g0, g1}) {
      if (current == found->second.set) return found->second;
      const auto here = inSet_.find(Key(current, codePoint));
      if (here != inSet_.end()) return Placement{current, here->second, found->second.combining};
    }
    return found->second;
  }

 private:
  std::array<bool, 0x80> ascii_{};
  // The one-byte sets by code, for reading a byte at a time.
  std::array<std::int8_t, 0x80> setIndex_ = [] {
    std::array<std::int8_t, 0x80> none{};
    none.fill(-1);
    return none;
  }();
  std::vector<std::array<Found, 0x100>> single_;
  std::unordered_map<std::uint64_t, Found> byCode_;
  std::unordered_map<std::uint64_t, std::uint32_t> inSet_;  // by set and code point
  std::unordered_map<char32_t, Placement> byCodePoint_;
};

const CodeTables& Tables() {
  static const CodeTables tables;
  return tables;
}

}  // namespace

std::span<const CharacterSet> AllCharacterSets() {
  return kCharacterSets;
}

const CharacterSet* FindCharacterSet(std::uint8_t final) {
  if (final == kAsciiDefault) final = kBasicLatin;
  const auto found = std::find_if(kCharacterSets.begin(), kCharacterSets.end(),
                                  [final](const CharacterSet& set) { return set.final == final; });
  return found == kCharacterSets.end() ? nullptr : &*found;
}

std::optional<Found> Lookup(std::uint8_t set, std::uint32_t code) {
  return Tables().Lookup(set, code);
}

std::optional<Placement> Place(char32_t codePoint, std::uint8_t g0, std::uint8_t g1) {
  return Tables().Place(codePoint, g0, g1);
}

}  // namespace velmora::marc8
