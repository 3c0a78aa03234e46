#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <vector>

#include "Encodings/Detection/ProseEvaluation.h"
#include "support/ProseCorpus.h"

namespace velmora::detection {
namespace {

// Prose that detection's frequency tables were not counted from and that its
// rules were not tuned on, written in every representation: from 30
// characters up the guess is never wrong and right at least 99 times in 100.
// Prints the table the README's detection figures come from.
constexpr test::LengthBand kLengths[] = {{10, 4000}, {30, 0}, {100, 0}};

TEST(DetectionOnUnseenProse, InstallationGuide) {
  const std::vector<Text> paragraphs = test::ManualParagraphs(test::kVietnameseInstallationGuide);
  ASSERT_FALSE(paragraphs.empty()) << "installation-guide-amd64 is not installed (scripts/deps.sh)";
  const test::Evaluation evaluation = test::EvaluateDetection(paragraphs, kLengths);
  test::PrintEvaluation("Vietnamese prose (installation-guide-amd64):", evaluation);
  test::ExpectRightAndNeverWrong(evaluation, 30, 0.99);
}

std::vector<Text> Translations(std::span<const std::filesystem::path> catalogues) {
  std::vector<Text> paragraphs;
  for (const auto& catalogue : catalogues) {
    const std::vector<Text> translations = test::CatalogueTranslations(catalogue);
    EXPECT_FALSE(translations.empty()) << catalogue << " is not installed (scripts/deps.sh)";
    paragraphs.insert(paragraphs.end(), translations.begin(), translations.end());
  }
  return paragraphs;
}

TEST(DetectionOnUnseenProse, SystemToolMessages) {
  const test::Evaluation evaluation =
      test::EvaluateDetection(Translations(test::kSystemToolCatalogues), kLengths);
  test::PrintEvaluation("Vietnamese messages (aptitude, gcc-12, util-linux):", evaluation);
  test::ExpectRightAndNeverWrong(evaluation, 30, 0.99);
}

// Option lists and metavariables more than sentences («--backupdir=<thư_mục>»,
// «[TÙY_CHỌN…]»): words joined by underscores are no syllables, and a piece
// with few others is refused more often, never guessed wrong.
TEST(DetectionOnUnseenProse, TextToolMessages) {
  const test::Evaluation evaluation =
      test::EvaluateDetection(Translations(test::kTextToolCatalogues), kLengths);
  test::PrintEvaluation("Vietnamese messages (cpio, nano, texinfo):", evaluation);
  test::ExpectRightAndNeverWrong(evaluation, 30, 0.97);
}

}  // namespace
}  // namespace velmora::detection
