// Test-only literal form of the character-set conversion: the table searches
// written out as the routine is described (1-based positions, first
// occurrence, one position at a time), and random texts to compare the fast
// conversion against.
#pragma once

#include <cstdint>
#include <random>

#include "ModMain/Text.h"

namespace velmora::reference {

// How a source of code 1 counts a two-unit window found in the composed table.
enum class CodeOneWindows {
  WholePairs,   // only at an odd position from 15 on: a base and its tone mark
  AnyPosition,  // also across two neighbouring pairs, as first described:
                // «b» U+0300 «a» becomes «b» U+00E0
};

Text LiteralConvertCharset(TextView text, std::int32_t fromCode, std::int32_t toCode,
                           CodeOneWindows windows = CodeOneWindows::WholePairs);

// A random text of up to `maxPieces` pieces: letters of every table, single
// units of them, combining marks, spaces, ASCII and arbitrary code units.
Text RandomCharsetText(std::mt19937& random, int maxPieces);

}  // namespace velmora::reference
