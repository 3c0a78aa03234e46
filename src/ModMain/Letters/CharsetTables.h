// The letter tables: for each character representation one string whose
// entries, in letter order, spell the 134 letters of VietnameseLetters.h.
// A conversion finds a unit in the source table, takes its letter index and
// writes the entry with the same index from the target table.
//
// The strings are built from the letter rows at compile time and never
// change. LoadCharsetTables builds, once, the look-ups that let a conversion
// find a letter in constant time instead of searching a table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "ModMain/Letters/Representation.h"
#include "ModMain/Letters/VietnameseLetters.h"
#include "ModMain/Text/Text.h"

namespace velmora::letters {

inline constexpr std::size_t kUnicodeLettersLength = 134;
inline constexpr std::size_t kUnicodeComposedLettersLength = 254;
inline constexpr std::size_t kVniLettersLength = 268;
inline constexpr std::size_t kTcvn3LettersLength = 134;
inline constexpr std::size_t kCp1258LettersLength = 268;
inline constexpr std::size_t kBaseLettersLength = 134;

// In the two-unit tables a one-byte letter is followed by this filler.
inline constexpr char16_t kFillerSpace = u' ';

namespace charset_detail {

template <std::size_t N>
using Units = std::array<char16_t, N>;

// A Windows-1258 byte as the tables hold it: ASCII as itself, the others as
// their Windows-1250 stand-ins.
constexpr char16_t Cp1258Unit(std::uint8_t byte) {
  if (byte < 0x80) return byte;
  for (const Cp1258StandIn& standIn : kCp1258StandIns) {
    if (standIn.byte == byte) return standIn.standIn;
  }
  throw "a CP1258 byte of the letter rows has no Windows-1250 stand-in";
}

// Each letter as two units: its bytes, a one-byte letter followed by the filler.
template <typename Unit>
constexpr Units<2 * kLetterCount> TwoUnitEntries(ByteSpelling VietnameseLetter::*spelling,
                                                 Unit unit) {
  Units<2 * kLetterCount> out{};
  std::size_t i = 0;
  for (const VietnameseLetter& letter : kVietnameseLetters) {
    const ByteSpelling bytes = letter.*spelling;
    out[i++] = unit(bytes.first);
    out[i++] = bytes.IsOneByte() ? kFillerSpace : unit(bytes.second);
  }
  return out;
}

constexpr Units<kUnicodeLettersLength> BuildUnicodeLetters() {
  Units<kUnicodeLettersLength> out{};
  for (std::size_t k = 0; k < kLetterCount; ++k) out[k] = kVietnameseLetters[k].unicode;
  return out;
}

// Letters 1-14 as one unit each, then letters 15-134 as base and tone mark.
constexpr Units<kUnicodeComposedLettersLength> BuildUnicodeComposedLetters() {
  Units<kUnicodeComposedLettersLength> out{};
  std::size_t i = 0;
  for (const VietnameseLetter& letter : kVietnameseLetters) {
    if (letter.number < kFirstTonedLetter) {
      out[i++] = letter.unicode;
    } else {
      out[i++] = letter.composed.base;
      out[i++] = letter.composed.mark;
    }
  }
  return out;
}

constexpr Units<kVniLettersLength> BuildVniLetters() {
  return TwoUnitEntries(&VietnameseLetter::vni, [](std::uint8_t b) { return char16_t{b}; });
}

constexpr Units<kTcvn3LettersLength> BuildTcvn3Letters() {
  Units<kTcvn3LettersLength> out{};
  for (std::size_t k = 0; k < kLetterCount; ++k) out[k] = kVietnameseLetters[k].tcvn3;
  return out;
}

constexpr Units<kCp1258LettersLength> BuildCp1258Letters() {
  return TwoUnitEntries(&VietnameseLetter::cp1258, Cp1258Unit);
}

constexpr Units<kBaseLettersLength> BuildBaseLetters() {
  Units<kBaseLettersLength> out{};
  for (std::size_t k = 0; k < kLetterCount; ++k) out[k] = kVietnameseLetters[k].base;
  return out;
}

inline constexpr auto kUnicodeLetters = BuildUnicodeLetters();
inline constexpr auto kUnicodeComposedLetters = BuildUnicodeComposedLetters();
inline constexpr auto kVniLetters = BuildVniLetters();
inline constexpr auto kTcvn3Letters = BuildTcvn3Letters();
inline constexpr auto kCp1258Letters = BuildCp1258Letters();
inline constexpr auto kBaseLetters = BuildBaseLetters();

}  // namespace charset_detail

// Letter k (from 1) at position k: the precomposed letter.
inline constexpr TextView UnicodeLetters{charset_detail::kUnicodeLetters.data(),
                                         charset_detail::kUnicodeLetters.size()};
// Letters 1-14 at positions 1-14, precomposed; letter k of 15-134 at positions
// 2k-15 and 2k-14, its base and its tone mark. Read side of code 1 only.
inline constexpr TextView UnicodeComposedLetters{charset_detail::kUnicodeComposedLetters.data(),
                                                 charset_detail::kUnicodeComposedLetters.size()};
// Letter k at positions 2k-1 and 2k: its VNI Windows bytes, each as the code
// unit of equal value; a one-byte letter followed by the filler space.
inline constexpr TextView VniLetters{charset_detail::kVniLetters.data(),
                                     charset_detail::kVniLetters.size()};
// Letter k at position k: its TCVN3 byte as the code unit of equal value.
inline constexpr TextView Tcvn3Letters{charset_detail::kTcvn3Letters.data(),
                                       charset_detail::kTcvn3Letters.size()};
// Letter k at positions 2k-1 and 2k: its decomposed Windows-1258 bytes, each
// as the character Windows-1250 assigns to it; a one-byte letter followed by
// the filler space.
inline constexpr TextView Cp1258Letters{charset_detail::kCp1258Letters.data(),
                                        charset_detail::kCp1258Letters.size()};
// Letter k at position k: the letter without any diacritic. Write side of
// code 5 only.
inline constexpr TextView BaseLetters{charset_detail::kBaseLetters.data(),
                                      charset_detail::kBaseLetters.size()};

// The representations that have a letter table to write with, and how many
// units each of its entries takes (a two-unit entry: a one-unit letter
// followed by the filler space). Reading uses the tables of unicode (with
// UnicodeComposedLetters), vni, tcvn3 and cp1258.
struct LetterTable {
  Representation representation;
  TextView letters;
  std::size_t unitsPerLetter;
};
inline constexpr LetterTable kWrittenLetterTables[] = {
    {Representation::Unicode, UnicodeLetters, 1}, {Representation::Vni, VniLetters, 2},
    {Representation::Tcvn3, Tcvn3Letters, 1},     {Representation::Cp1258, Cp1258Letters, 2},
    {Representation::NoMarks, BaseLetters, 1},
};

// Every unit of every table lies below this, so the look-ups need no more.
inline constexpr char16_t kIndexedUnits = 0x1F00;

// What one unit means to a source representation. Letter indexes are 1-134,
// 0 meaning none.
struct UnitRole {
  std::uint8_t alone = 0;   // the letter the unit gives when read alone
  std::uint8_t first = 0;   // as the first unit of a two-unit letter: its row
  std::uint8_t second = 0;  // as the second unit of a two-unit letter: its column
};

// How a source representation reads a text: the letter at a position is the
// two-unit letter that begins there, if any, else the unit's letter alone.
// Gives the letter indexes that searching the representation's table gives.
struct SourceLookup {
  std::array<UnitRole, kIndexedUnits> roles{};
  std::size_t columns = 0;
  std::vector<std::uint8_t> pairs;  // letter of (row, column) at row * columns + column

  UnitRole Role(char16_t unit) const { return unit < kIndexedUnits ? roles[unit] : UnitRole{}; }
  // The two-unit letter that `first` and `second` spell, 0 for none.
  std::uint8_t Pair(char16_t first, char16_t second) const {
    const std::uint8_t row = Role(first).first, column = Role(second).second;
    return row != 0 && column != 0 ? pairs[row * columns + column] : 0;
  }
};

// A letter as a target representation writes it: one or two units.
struct Spelling {
  std::array<char16_t, 2> units{};
  std::uint8_t length = 0;
};
// Every letter as one representation writes it, by letter index; entry 0 is unused.
using Spellings = std::array<Spelling, kLetterCount + 1>;

struct CharsetLookups {
  SourceLookup unicode;
  SourceLookup vni;
  SourceLookup tcvn3;  // also what every representation without a reading table reads with
  SourceLookup cp1258;
  // targets[i] writes as kWrittenLetterTables[i].
  std::array<Spellings, std::size(kWrittenLetterTables)> targets{};

  // How `from` reads: unicode, vni and cp1258 with their own tables, every
  // other representation (tcvn3, nomarks and those without letter tables)
  // as TCVN3.
  const SourceLookup& ReadingOf(Representation from) const;
  // How `to` writes its letters; nullptr for a representation without a
  // letter table.
  const Spellings* WritingOf(Representation to) const;
};

// Builds the look-ups the first time it is called and returns them; later
// calls return the same, unchanged. Safe when two threads convert at once.
const CharsetLookups& LoadCharsetTables();

}  // namespace velmora::letters
