// velmora-convert pre-unicode and charset FROM TO: the character-set
// conversion on the command line.
//
//   velmora-convert pre-unicode copied.txt          decomposed tone marks joined
//   velmora-convert charset vni unicode old.txt     a VNI Windows file to UTF-8
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "Encodings/EightBit.h"
#include "ModMain/Text.h"

namespace velmora::cli {

// unicode, vni, tcvn3, cp1258, nomarks (any case) or the codes 1-5.
std::optional<std::int32_t> ParseRepresentation(std::string_view word);
std::string_view RepresentationName(std::int32_t code);

// A line of --help: a representation's names and what it is.
struct HelpEntry {
  std::string term;
  std::string description;
};
std::vector<HelpEntry> RepresentationHelp();

// How files in a representation are read and written: VNI and TCVN3 byte for
// byte, CP1258 through Windows-1250, the others as UTF-8.
ByteForm FileForm(std::int32_t code);

// The whole `charset FROM TO` run: the input bytes decoded as FROM's files
// are, line breaks read as CRLF, converted, written with the platform's line
// breaks as TO's files are. Returns false with a message for bad input: bytes
// that are not UTF-8, or a character the output cannot hold, named with its
// line and column in the input.
bool RunCharset(std::string_view input, std::int32_t fromCode, std::int32_t toCode,
                std::string& output, std::string& error);

// The command table's `prepare` of charset: reads FROM and TO.
ByteRun PrepareCharset(std::span<const std::string_view> operands, std::string& error);

}  // namespace velmora::cli
