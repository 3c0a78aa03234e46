// Test-only literal form of the character-set conversion: the table searches
// written out as the routine is described (1-based positions, first
// occurrence, one position at a time), and random texts to compare the fast
// conversion against.
#pragma once

#include <cstdint>
#include <random>

#include "ModMain/Text/Text.h"

namespace velmora::reference {

// A source of code 1 counts a two-unit window found in the composed table
// only at an odd position from 15 on: a base and its tone mark.
Text LiteralConvertCharset(TextView text, std::int32_t fromCode, std::int32_t toCode);

// A random text of up to `maxPieces` pieces: letters of every table, single
// units of them, combining marks, spaces, ASCII and arbitrary code units.
Text RandomCharsetText(std::mt19937& random, int maxPieces);

}  // namespace velmora::reference
