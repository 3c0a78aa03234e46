// How often each Vietnamese syllable with a diacritic occurs in real
// Vietnamese text: «được», «không», «của» are common, «chốn» rare, «dủa» (the
// rime of «của» after another onset) no word at all. A reading of bytes whose
// syllables are rare or no words is the wrong reading.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "Encodings/Detection/VietnameseSyllable.h"

namespace velmora::detection {

struct SyllableFrequency {
  std::u16string_view letters;  // lowercase, without the tone mark (SyllableParts)
  SyllableTone tone;
  // Its share of the syllables with a diacritic, per million; 0 for a word
  // of the spelling dictionary that the counted text does not have.
  std::uint32_t perMillion;
};

// Generated from Debian's Vietnamese manual pages, message catalogues and
// spelling dictionary (tools/count-vietnamese-syllables.py), sorted by
// letters then tone; a syllable missing is no word of the language.
std::span<const SyllableFrequency> VietnameseSyllableFrequencies();

}  // namespace velmora::detection
