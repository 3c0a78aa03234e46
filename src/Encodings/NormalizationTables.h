// The Unicode character data that canonical normalisation needs, as
// unicode-data defines it: the combining class of each non-starter, every
// canonical decomposition (one step; a part may decompose again) and whether
// its pair composes back, and the characters that NFC's quick check answers
// No or Maybe for. The data is generated (NormalizationTables.cpp, by
// tools/make-normalization-tables.py); Hangul syllables are left to the
// algorithm.
#pragma once

#include <array>
#include <cstdint>

namespace velmora::normalization {

// Code points first..last have this canonical combining class (not 0).
struct CombiningClassRange {
  char32_t first, last;
  std::uint8_t combiningClass;
};

// `character` decomposes canonically into `first` and `second` (0 for a
// singleton). `composes`: NFC composes the pair back (no exclusion).
struct Decomposition {
  char32_t character, first, second;
  bool composes;
};

enum class QuickCheck : std::uint8_t { Yes, No, Maybe };

struct QuickCheckRange {
  char32_t first, last;
  QuickCheck value;  // No or Maybe; every other code point is Yes
};

extern const std::array<CombiningClassRange, 388> kCombiningClasses;
extern const std::array<Decomposition, 2061> kDecompositions;
extern const std::array<QuickCheckRange, 117> kNfcQuickCheck;

}  // namespace velmora::normalization
