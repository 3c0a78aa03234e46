#include <gtest/gtest.h>

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

TEST(DetectionOnUnseenProse, MessageCatalogues) {
  std::vector<Text> paragraphs;
  for (const auto& catalogue : test::kUnseenVietnameseCatalogues) {
    const std::vector<Text> translations = test::CatalogueTranslations(catalogue);
    ASSERT_FALSE(translations.empty())
        << catalogue << " is not installed (scripts/deps.sh: aptitude-common, gcc-12-locales, "
        << "util-linux-locales)";
    paragraphs.insert(paragraphs.end(), translations.begin(), translations.end());
  }
  const test::Evaluation evaluation = test::EvaluateDetection(paragraphs, kLengths);
  test::PrintEvaluation("Vietnamese messages (aptitude, gcc-12, util-linux):", evaluation);
  test::ExpectRightAndNeverWrong(evaluation, 30, 0.99);
}

}  // namespace
}  // namespace velmora::detection
