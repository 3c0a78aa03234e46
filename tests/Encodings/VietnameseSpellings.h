// The canonically equivalent spellings of each Vietnamese letter, for the
// tests of writers that must write every one the same.
#pragma once

#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::test {

// The letter precomposed, fully decomposed, with its two marks in the other
// order, and as a precomposed part followed by the other mark («ẹ» U+0302
// and «ê» U+0323 for «ệ»): every one of them NFC gives the letter from.
std::vector<Text> VietnameseSpellings(char16_t letter);

}  // namespace velmora::test
