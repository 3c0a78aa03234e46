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
// The best reading must weigh this much more than the runner-up: about one
// and a half common syllables.
constexpr double kLeastMargin = 1.5;

bool SameText(const Text& a, const Text& b) {
  if (a == b) return true;
  return letters::ConvertCharset(a, letters::CharsetUnicode, letters::CharsetUnicode) ==
         letters::ConvertCharset(b, letters::CharsetUnicode, letters::CharsetUnicode);
}

// The runner-up breaks words that the best reads whole, and reads no more
// syllables with diacritics: as when «“Luồng”» of TCVN3 reads as «ỎLuồngÕ»
// in VN1. Then even a small margin tells.
bool BreaksMore(const VietnameseScore& runnerUp, const VietnameseScore& best) {
  return runnerUp.broken > best.broken && runnerUp.marked <= best.marked;
}

}  // namespace

bool ReadsAsVietnamese(const VietnameseScore& score) {
  // «à un exécutable» has syllables with diacritics, all of Latin-1 and few.
  const bool vietnameseLetters = score.vietnameseOnly > 0 || score.marked >= kLeastLatin1Marked;
  return score.Share() >= kLeastShare && score.marked >= kLeastMarked && vietnameseLetters &&
         2 * score.broken <= score.marked;
}

ReadingChoice ChooseReading(std::span<const std::optional<Text>> readings) {
  ReadingChoice choice;
  std::vector<VietnameseScore> scores(readings.size());
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (!readings[i]) continue;
    scores[i] = ScoreVietnamese(*readings[i]);
    if (choice.best == kNoReading || scores[i].weight > scores[choice.best].weight) {
      choice.best = i;
    }
  }
  if (choice.best == kNoReading) return choice;
  choice.score = scores[choice.best];
  // The runner-up: the reading with the most syllables whose text differs.
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (readings[i] && i != choice.best) order.push_back(i);
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
  const double margin = choice.runnerUp == kNoReading
                            ? choice.score.weight
                            : choice.score.weight - scores[choice.runnerUp].weight;
  choice.margin = margin;
  const double decisiveness = choice.runnerUp == kNoReading ? 1.0 : 1.0 - std::pow(0.5, margin);
  choice.confidence = choice.score.Share() * decisiveness;
  if (!ReadsAsVietnamese(choice.score)) {
    choice.verdict = ReadingVerdict::NotVietnamese;
  } else if (choice.runnerUp != kNoReading && margin < kLeastMargin &&
             !BreaksMore(scores[choice.runnerUp], choice.score)) {
    choice.verdict = ReadingVerdict::TooClose;
  } else {
    choice.verdict = ReadingVerdict::Chosen;
  }
  return choice;
}

}  // namespace velmora::detection
