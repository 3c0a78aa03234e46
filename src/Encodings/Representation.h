// The character representations of Vietnamese text that velmora-convert
// reads and writes: one row each, the only place their names, aliases,
// number codes and descriptions are written. The parser, --help, --list and
// the error messages all read this table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora::encodings {

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

// How a file in the representation holds its characters.
enum class FileBytes : std::uint8_t {
  UnicodeText,  // UTF-8 (or UTF-16 with a byte order mark)
  EightBit,     // one byte per character of a code page
};

struct RepresentationInfo {
  Representation id;
  std::string_view name;     // the name --help and messages use
  std::int32_t code;         // the number code 1-5 of ConvertCharset; 0 for none
  std::string_view aliases;  // other accepted names, iconv's spellings, space-separated
  bool readable;             // may be FROM (every one may be TO)
  FileBytes bytes;
  std::string_view description;  // one line for --help and --list
};

std::span<const RepresentationInfo> AllRepresentations();
const RepresentationInfo& Describe(Representation representation);

// A name, an alias (any case) or a number code 1-5.
std::optional<Representation> FindRepresentation(std::string_view word);

// "unicode, vni, tcvn3, ..., or 1-5": what a usage message offers.
std::string RepresentationChoices();

}  // namespace velmora::encodings
