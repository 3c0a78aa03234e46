#include "Encodings/Detection/ReadingChoice.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ModMain/Letters/ConvertCharset.h"

namespace velmora::detection {
namespace {

constexpr double kLeastShare = 0.5;
constexpr std::size_t kLeastMarked = 1;
constexpr std::size_t kLeastLatin1Marked = 3;
// How much one control character can change a reading's weight: a word from
// broken (-2.5) to a common syllable (up to 2.5).
constexpr double kControlCharacterWeight = 5.0;

bool SameText(const Text& a, const Text& b) {
  if (a == b) return true;
  return letters::ConvertCharset(a, letters::CharsetUnicode, letters::CharsetUnicode) ==
         letters::ConvertCharset(b, letters::CharsetUnicode, letters::CharsetUnicode);
}

}  // namespace

double ConfidenceOfChoice(double margin, std::size_t marked) {
  const std::size_t short_ = kEnoughMarked - std::min(marked, kEnoughMarked);
  const double evidence = margin - kFewSyllablesDiscount * static_cast<double>(short_);
  return evidence <= 0.0 ? 0.0 : 1.0 - std::pow(10.0, -evidence);
}

bool ReadsAsVietnamese(const VietnameseScore& score) {
  // «à un exécutable» has syllables with diacritics, all of Latin-1 and few.
  const bool vietnameseLetters = score.vietnameseOnly > 0 || score.marked >= kLeastLatin1Marked;
  return score.Share() >= kLeastShare && score.marked >= kLeastMarked && vietnameseLetters &&
         2 * score.broken <= score.marked;
}

ReadingChoice ChooseReading(std::span<const std::optional<Text>> readings) {
  ReadingChoice choice;
  std::vector<VietnameseScore> scores(readings.size());
  std::size_t fewestControls = SIZE_MAX;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (!readings[i]) continue;
    scores[i] = ScoreVietnamese(*readings[i]);
    fewestControls = std::min(fewestControls, scores[i].controls);
  }
  // A reading that leaves control characters where another reads characters
  // is no good reading: it cannot be chosen, and it is no rival.
  const auto good = [&](std::size_t i) {
    return readings[i].has_value() && scores[i].controls == fewestControls;
  };
  std::size_t heaviestLeavingControls = kNoReading;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (!readings[i]) continue;
    std::size_t& heaviest = good(i) ? choice.best : heaviestLeavingControls;
    if (heaviest == kNoReading || scores[i].weight > scores[heaviest].weight) heaviest = i;
  }
  if (choice.best == kNoReading) return choice;
  choice.score = scores[choice.best];
  // The runner-up: the good reading with the most weight whose text differs.
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (good(i) && i != choice.best) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return scores[a].weight > scores[b].weight;
  });
  for (const std::size_t i : order) {
    if (!SameText(*readings[i], *readings[choice.best])) {
      choice.runnerUp = i;
      break;
    }
  }
  choice.margin = choice.runnerUp == kNoReading
                      ? choice.score.weight
                      : choice.score.weight - scores[choice.runnerUp].weight;
  // A reading that leaves control characters but reads better by more than
  // they can account for (each stands for one letter, so it can change one
  // word, from a broken one to a common syllable) speaks against the choice
  // as a rival does: VNI with a stray STX byte, which VN1 reads as a letter.
  if (heaviestLeavingControls != kNoReading) {
    const VietnameseScore& leaving = scores[heaviestLeavingControls];
    const double accounted = kControlCharacterWeight * static_cast<double>(leaving.controls);
    const double against = choice.score.weight - leaving.weight + accounted;
    if (against < choice.margin &&
        !SameText(*readings[heaviestLeavingControls], *readings[choice.best])) {
      choice.runnerUp = heaviestLeavingControls;
      choice.margin = against;
    }
  }
  choice.confidence = ConfidenceOfChoice(choice.margin, choice.score.marked);
  if (!ReadsAsVietnamese(choice.score)) {
    choice.verdict = ReadingVerdict::NotVietnamese;
  } else if (choice.confidence < kLeastConfidence) {
    choice.verdict = ReadingVerdict::TooClose;
  } else {
    choice.verdict = ReadingVerdict::Chosen;
  }
  return choice;
}

}  // namespace velmora::detection
