// How often each rime occurs with each tone, after an onset or without one,
// in real Vietnamese text, among the syllables with a diacritic: «là», «không», «được» are common,
// «lộ» of «là» in TCVN3 read as VISCII much rarer. A reading of bytes whose syllables have rare
// rimes and tones is the wrong reading.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "Encodings/Detection/VietnameseSyllable.h"

namespace velmora::detection {

struct RimeFrequency {
  bool afterOnset;           // «là»; false for «ở», «ý», «yêu»
  std::u16string_view rime;  // lowercase, without the tone mark (VietnameseSyllable.h)
  SyllableTone tone;
  std::uint32_t per100000;  // its share of the syllables with a diacritic
};

// Generated from Debian's Vietnamese manual pages
// (tools/count-vietnamese-rimes.cpp); a rime and tone missing is rarer than
// any listed.
std::span<const RimeFrequency> VietnameseRimeFrequencies();

}  // namespace velmora::detection
