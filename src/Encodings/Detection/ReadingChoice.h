// Which of several readings of the same bytes is the Vietnamese text: each
// reading is scored (VietnameseScore.h) and the best wins when it reads as
// Vietnamese and clearly better than every reading that gives another text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "Encodings/Detection/VietnameseScore.h"
#include "ModMain/Text/Text.h"

namespace velmora::detection {

inline constexpr std::size_t kNoReading = SIZE_MAX;

enum class ReadingVerdict {
  Chosen,         // `best` reads as Vietnamese, clearly better than the rest
  NotVietnamese,  // no reading has enough well-formed syllables with diacritics
  TooClose,       // `best` and `runnerUp` read about as well
};

struct ReadingChoice {
  ReadingVerdict verdict = ReadingVerdict::NotVietnamese;
  std::size_t best = kNoReading;      // the reading with the most syllables
  std::size_t runnerUp = kNoReading;  // the best reading that gives another text
  VietnameseScore score;              // of `best`
  // How sure the choice is, 0 to 1: the share of syllables, lowered when
  // the runner-up comes near (one syllable more than it halves it).
  double confidence = 0.0;
  // How much more `best` weighs than `runnerUp` (its whole weight without one).
  double margin = 0.0;
};

// At least half the words are syllables, some carry diacritics (one a
// letter beyond Latin-1, or three), and few words with diacritics are
// broken: Vietnamese written without them cannot tell one representation
// from another, nor English from Vietnamese, and French has «à» and «là».
bool ReadsAsVietnamese(const VietnameseScore& score);

// The readings, in order of preference (an earlier one wins a tie with a
// later one that gives the same text); nullopt for a reading the bytes do
// not allow (invalid UTF-8). Readings that differ only in letters written
// with combining tone marks rather than precomposed give the same text.
ReadingChoice ChooseReading(std::span<const std::optional<Text>> readings);

}  // namespace velmora::detection
