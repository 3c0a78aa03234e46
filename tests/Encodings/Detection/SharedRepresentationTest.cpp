#include "Encodings/Detection/SharedRepresentation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Encodings/Detection/ProseEvaluation.h"
#include "support/ProseCorpus.h"
#include "support/TextPrinting.h"

namespace velmora::detection {
namespace {

using encodings::Representation;

// A record's fields: «Nguyễn Văn An», «Lịch sử Việt Nam thời cận đại», «Nhà
// xuất bản Giáo dục», «Hà Nội», «Văn học thiếu nhi».
const Text kFields[] = {
    u"Nguy\u1EC5n V\u0103n An",
    u"L\u1ECBch s\u1EED Vi\u1EC7t Nam th\u1EDDi c\u1EADn \u0111\u1EA1i",
    u"Nh\u00E0 xu\u1EA5t b\u1EA3n Gi\u00E1o d\u1EE5c",
    u"H\u00E0 N\u1ED9i",
    u"V\u0103n h\u1ECDc thi\u1EBFu nhi",
};

std::vector<std::string> WrittenFields(Representation representation,
                                       std::span<const Representation> exceptions = {}) {
  std::vector<std::string> fields;
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    const Representation r = i < exceptions.size() ? exceptions[i] : representation;
    fields.push_back(test::Written(r, kFields[i]).value_or(""));
  }
  return fields;
}

TEST(SharedRepresentation, ARecordsFieldsAreDecidedTogether) {
  const Representation tcvn3ButHaNoiInUtf8[] = {Representation::Tcvn3, Representation::Tcvn3,
                                                Representation::Tcvn3, Representation::Unicode};
  const struct {
    const char* what;
    std::vector<std::string> pieces;
    ReadingVerdict verdict;
    Representation representation;
    std::vector<std::size_t> readDifferently;
    Representation differentAs;
    // clang-format off
  } cases[] = {
      {"TCVN3", WrittenFields(Representation::Tcvn3), ReadingVerdict::Chosen, Representation::Tcvn3,
       {}, Representation::Unicode},
      {"VNI", WrittenFields(Representation::Vni), ReadingVerdict::Chosen, Representation::Vni, {},
       Representation::Unicode},
      {"VISCII", WrittenFields(Representation::Viscii), ReadingVerdict::Chosen,
       Representation::Viscii, {}, Representation::Unicode},
      {"TCVN3 with «Hà Nội» in UTF-8",
       WrittenFields(Representation::Tcvn3, tcvn3ButHaNoiInUtf8), ReadingVerdict::Chosen,
       Representation::Tcvn3, {3}, Representation::Unicode},
      {"no Vietnamese letters", {"ISBN 978-604-0-01234-5", "Ha Noi", "Giao duc"},
       ReadingVerdict::NotVietnamese, Representation::Unicode, {}, Representation::Unicode},
      {"no fields", {}, ReadingVerdict::NotVietnamese, Representation::Unicode, {},
       Representation::Unicode},
  };
  // clang-format on
  for (const auto& c : cases) {
    const std::vector<std::string_view> pieces(c.pieces.begin(), c.pieces.end());
    const SharedGuess guess = DetectSharedRepresentation(pieces);
    EXPECT_EQ(guess.shared.verdict, c.verdict) << c.what;
    if (c.verdict == ReadingVerdict::Chosen) {
      EXPECT_EQ(guess.shared.representation, c.representation) << c.what;
    }
    std::vector<std::size_t> different;
    for (const SharedGuess::Piece& piece : guess.readDifferently) {
      different.push_back(piece.index);
      EXPECT_EQ(piece.guess.representation, c.differentAs) << c.what;
    }
    EXPECT_EQ(different, c.readDifferently) << c.what;
  }
}

// Prose cut into pieces of a field's length (12 characters and more), in
// every representation: alone a piece is often refused but never guessed
// wrong; records of eight such pieces decided together are never wrong and
// right at least 99 times in 100.
TEST(SharedRepresentation, ShortPiecesAreRefusedAloneAndToldTogether) {
  const std::vector<Text> paragraphs = test::ManualParagraphs(test::kVietnameseManual);
  ASSERT_FALSE(paragraphs.empty()) << "maint-guide-vi is not installed (scripts/deps.sh)";
  std::vector<Text> fields;
  for (const Text& piece : test::ProsePieces(paragraphs, 12, 4000)) {
    if (test::IsVietnameseProse(piece)) fields.push_back(piece);
  }
  constexpr std::size_t kRecordFields = 8;
  for (const Representation r : test::WrittenRepresentations()) {
    test::Tally alone, together;
    for (std::size_t start = 0; start + kRecordFields <= fields.size(); start += kRecordFields) {
      std::vector<std::string> bytes;
      Text record;
      for (std::size_t i = start; i < start + kRecordFields; ++i) {
        const auto written = test::Written(r, fields[i]);
        if (!written) continue;
        bytes.push_back(*written);
        record += fields[i] + u'\n';
        const test::Outcome outcome = test::Judge(r, *written, DetectPieceRepresentation(*written));
        alone.Add(outcome);
        EXPECT_NE(outcome, test::Outcome::Wrong)
            << encodings::Describe(r).name << " alone: " << test::Readable(fields[i]);
      }
      std::string lines;
      for (const std::string& field : bytes) lines += field + "\n";
      const std::vector<std::string_view> pieces(bytes.begin(), bytes.end());
      const test::Outcome outcome =
          test::Judge(r, lines, DetectSharedRepresentation(pieces).shared);
      together.Add(outcome);
      EXPECT_NE(outcome, test::Outcome::Wrong)
          << encodings::Describe(r).name << ": " << test::Readable(record);
    }
    std::printf("%-20s alone %6.2f%% right, together %6.2f%% right\n",
                std::string(encodings::Describe(r).name).c_str(), 100.0 * alone.RightShare(),
                100.0 * together.RightShare());
    EXPECT_GE(together.RightShare(), 0.99) << encodings::Describe(r).name;
  }
}

}  // namespace
}  // namespace velmora::detection
