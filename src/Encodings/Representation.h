// The character representations of Vietnamese text that velmora-convert
// reads and writes: one row each, the only place their names, aliases and
// descriptions are written. The parser, --help, --list and the error
// messages all read this table; the representations themselves, and their
// number codes 1-5, are the core's (ModMain/Letters/Representation.h,
// CharsetCodes.h).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ModMain/Letters/Representation.h"

namespace velmora::encodings {

using letters::Representation;

// How a file in the representation holds its characters.
enum class FileBytes : std::uint8_t {
  UnicodeText,  // UTF-8 (or UTF-16 with a byte order mark)
  EightBit,     // one byte per character of a code page
};

struct RepresentationInfo {
  Representation id;
  std::string_view name;     // the name --help and messages use
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
