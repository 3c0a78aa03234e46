// The character sets of MARC-8, one row each (the only place their escape
// sequences are written), and the lookups over their code tables
// (Marc8Tables.h) that reading and writing share, made once.
//
// A field starts with basic Latin (ASCII) in G0, bytes 21-7E, and ANSEL in
// G1, bytes A1-FE. An escape sequence puts another set in G0 or G1 until the
// next one: «ESC ( N» basic Cyrillic into G0, «ESC ) Q» extended Cyrillic
// into G1, «ESC $ 1» the three-byte East Asian set into G0, «ESC g», «ESC b»,
// «ESC p» the Greek symbols, subscripts and superscripts, «ESC s» ASCII back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velmora::marc8 {

// The final byte of each set's escape sequence, by which the code tables
// name the sets.
inline constexpr std::uint8_t kBasicLatin = 0x42;
inline constexpr std::uint8_t kAnsel = 0x45;
inline constexpr std::uint8_t kEastAsian = 0x31;
inline constexpr std::uint8_t kAsciiDefault = 0x73;  // «ESC s»: basic Latin again

enum class Graphic : std::uint8_t { G0, G1 };

struct CharacterSet {
  std::uint8_t final;
  std::string_view name;    // for messages: "basic Cyrillic"
  std::uint8_t width;       // bytes per character: 1, or 3 for the East Asian set
  Graphic home;             // where a writer designates it
  std::string_view escape;  // the escape sequence a writer designates it with
};

std::span<const CharacterSet> AllCharacterSets();
const CharacterSet* FindCharacterSet(std::uint8_t final);

struct Found {
  char32_t codePoint;
  bool combining;
};

// What `code` (as G0 bytes: 21-7E, or three such for the East Asian set) of
// `set` reads as; ANSEL also holds the four controls 88, 89, 8D and 8E, read
// in any state. nullopt where the set has no character.
std::optional<Found> Lookup(std::uint8_t set, std::uint32_t code);

struct Placement {
  std::uint8_t set;
  std::uint32_t code;  // as Lookup takes it
  bool combining;
};

// The code to write `codePoint` with: in the set now in G0 or G1 when that
// set holds it (no escape needed), else where the code tables write it.
std::optional<Placement> Place(char32_t codePoint, std::uint8_t g0, std::uint8_t g1);

}  // namespace velmora::marc8
