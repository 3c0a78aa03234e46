// The character representations of Vietnamese text, one value each: the
// letter tables are written per representation (CharsetTables.h), the
// codecs read and write files in each (src/Encodings), and the command
// line names them (src/Encodings/Representation.h, the table of names).
#pragma once

#include <cstdint>

namespace velmora::letters {

enum class Representation : std::uint8_t {
  Unicode,            // UTF-8, precomposed letters (read: also a base + tone mark)
  Vni,                // VNI Windows, 8-bit
  Tcvn3,              // TCVN3 (VN3 of TCVN 5712:1993), 8-bit
  Cp1258,             // Windows-1258, letters decomposed
  NoMarks,            // letters without diacritics
  Viscii,             // VISCII, 8-bit
  Tcvn5712,           // TCVN 5712:1993 VN1, 8-bit
  Viqr,               // VIQR, ASCII: «Vie^.t Nam»
  UnicodeDecomposed,  // UTF-8, base letter + combining marks in canonical order
};

}  // namespace velmora::letters
