// The number codes ConvertCharset takes and the representation each names:
// the one place where a code and a representation meet. Everything inside
// the core and above it speaks of representations.
#pragma once

#include <cstdint>
#include <optional>

#include "ModMain/Letters/Representation.h"

namespace velmora::letters {

// The 8-bit encodings are held as text with one code unit per byte (VNI,
// TCVN3: the unit of equal value; CP1258: the character Windows-1250
// assigns to the byte).
inline constexpr std::int32_t CharsetUnicode = 1;  // precomposed; read also decomposed
inline constexpr std::int32_t CharsetVni = 2;      // VNI Windows
inline constexpr std::int32_t CharsetTcvn3 = 3;    // TCVN3 (VN3 of TCVN 5712:1993)
inline constexpr std::int32_t CharsetCp1258 = 4;   // Windows-1258, decomposed
inline constexpr std::int32_t CharsetNoMarks = 5;  // letters without diacritics; write only

struct CharsetCode {
  std::int32_t code;
  Representation representation;
};

inline constexpr CharsetCode kCharsetCodes[] = {
    {CharsetUnicode, Representation::Unicode}, {CharsetVni, Representation::Vni},
    {CharsetTcvn3, Representation::Tcvn3},     {CharsetCp1258, Representation::Cp1258},
    {CharsetNoMarks, Representation::NoMarks},
};

// The representation of a code 1-5; nullopt for any other code.
constexpr std::optional<Representation> RepresentationOfCode(std::int32_t code) {
  for (const CharsetCode& entry : kCharsetCodes) {
    if (entry.code == code) return entry.representation;
  }
  return std::nullopt;
}

// The code of a representation, 0 for one that has none.
constexpr std::int32_t CodeOf(Representation representation) {
  for (const CharsetCode& entry : kCharsetCodes) {
    if (entry.representation == representation) return entry.code;
  }
  return 0;
}

}  // namespace velmora::letters
