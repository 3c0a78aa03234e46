// How often each of the 134 Vietnamese letters with a diacritic occurs in
// real Vietnamese text: «ư» and «đ» are common, «ỷ» and «ẵ» rare. A reading
// of bytes that turns common letters into rare ones is the wrong reading.
#pragma once

#include <array>
#include <cstdint>

#include "ModMain/Letters/VietnameseLetters.h"

namespace velmora::detection {

struct LetterFrequency {
  char16_t letter;          // the precomposed letter
  std::uint32_t per100000;  // its share, capitals counted with their lowercase letter
};

// By code point; generated from Debian's Vietnamese manual pages
// (tools/count-vietnamese-letters.py).
const std::array<LetterFrequency, letters::kLetterCount>& VietnameseLetterFrequencies();

}  // namespace velmora::detection
