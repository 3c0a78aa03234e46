// Which of several readings of the same bytes is the Vietnamese text: each
// reading is scored (VietnameseScore.h) and the best wins when it reads as
// Vietnamese and clearly better than every reading that gives another text.
// A reading that leaves control characters where another reads characters
// (VN1's capitals in C0 read as TCVN3) is no good reading: it is neither
// chosen nor a rival, but one that would read better all the same makes the
// choice as unsure as a close rival does.
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
  std::size_t best = kNoReading;      // the good reading with the most weight
  std::size_t runnerUp = kNoReading;  // the best reading that gives another text
  VietnameseScore score;              // of `best`
  // How sure the choice is, 0 to 1 (ConfidenceOfChoice).
  double confidence = 0.0;
  // How much more `best` weighs than `runnerUp` (its whole weight without one).
  double margin = 0.0;
};

// How sure a choice is that wins by `margin` with `marked` syllables with
// diacritics, 0 to 1. The weights are in factors of ten, so a margin of m
// makes the rival about 10^-m as likely; but one or two words can read well
// two ways («khắp chốn» of TCVN3 reads as common words in VISCII too), so a
// choice on fewer than kEnoughMarked such syllables counts its margin
// kFewSyllablesDiscount less for each one short.
inline constexpr std::size_t kEnoughMarked = 3;
inline constexpr double kFewSyllablesDiscount = 1.5;
double ConfidenceOfChoice(double margin, std::size_t marked);

// Below this confidence a choice is refused as too close to tell. Found on
// the development prose (maint-guide-vi and the Installation Guide, pieces of
// 5 to 100 characters cut at word ends, in every legacy representation:
// 1.04 million choices): without it 793 of them were wrong, the surest at
// 95.7% («Các trò chơi» of VISCII read as VNI); 99%, odds four times those,
// refuses them all and leaves right 99.6% of the pieces from 30 characters up
// (it refuses 10% of all the right choices, nearly all of them of a word or two).
inline constexpr double kLeastConfidence = 0.99;

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
