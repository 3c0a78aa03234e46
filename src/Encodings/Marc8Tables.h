// The MARC-8 code tables of the Library of Congress, as Debian's
// libmarc-charset-perl holds them: every character of every character set,
// and the double diacritics. The data is generated (Marc8Tables.cpp, by
// tools/make-marc8-tables.pl); Marc8CharacterSets.h says what each set is.
#pragma once

#include <array>
#include <cstdint>

namespace velmora::marc8 {

struct Character {
  std::uint8_t set;    // the final byte of the set's escape sequence (0x42 basic Latin)
  std::uint32_t code;  // as the set's G0 bytes: 0x21-0x7E, or three such bytes for EACC
  char32_t codePoint;
  bool combining;  // a mark that MARC-8 writes before its base
  bool preferred;  // the code this code point is written with
};

// A mark over two letters, which MARC-8 writes as two halves, each before
// one of the letters, and Unicode as one mark after the first.
struct DoubleDiacritic {
  std::uint8_t set;
  std::uint8_t firstHalf, secondHalf;  // codes in `set`
  char32_t whole;                      // read as this, after the first letter
  char32_t firstHalfAlone;             // the code point of the first half on its own
};

extern const std::array<Character, 16402> kCharacters;
extern const std::array<DoubleDiacritic, 2> kDoubleDiacritics;

}  // namespace velmora::marc8
