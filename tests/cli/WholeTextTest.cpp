// A whole input read and written a block at a time: what a block's edge
// cuts (a CRLF, a letter, a UTF-16 unit, a long line) comes out as it does
// from the input decoded whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "Encodings/Detection/DetectRepresentation.h"
#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/WholeText.h"
#include "support/Files.h"
#include "support/TextPrinting.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// Over three megabytes of lines of every kind of break, Vietnamese letters,
// a letter outside the BMP, and lines longer than a block, one of them with
// such letters at every block's edge.
Text LargeText() {
  static constexpr TextView kPieces[] = {u"245    10$aTi\u1EBFng Vi\u1EC7t ",
                                         u"\r",
                                         u"\n",
                                         u"\r\n",
                                         u"x",
                                         u"\U0001F600",
                                         u" ",
                                         u"\u0301"};
  std::mt19937 random(13);
  Text text;
  while (text.size() < 3 * kMegabyte) text += kPieces[random() % std::size(kPieces)];
  text += Text(kMegabyte + 5, u'y') + u"\r\n" + u"a";
  for (std::size_t k = 0; k < kMegabyte / 8; ++k) text += u"\U0001F600";
  return text;
}

std::string Utf16(TextView text, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += littleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(ReadCopiedText, GivesWhatDecodingTheInputWholeGives) {
  const Text text = LargeText();
  std::string badFar = encodings::EncodeUtf8(text);
  badFar[badFar.size() - kMegabyte] = '\xC3';  // before a "y": a cut sequence
  const std::string cases[] = {
      encodings::EncodeUtf8(text),
      "\xEF\xBB\xBF" + encodings::EncodeUtf8(text),
      Utf16(text, true),
      Utf16(text, false),
      badFar,
      Utf16(text, true) + "x",
      "",
  };
  test::ScratchDir dir("whole-text");
  for (const std::string& bytes : cases) {
    test::WriteFile(dir / "input", bytes);
    Text read;
    std::string start, error;
    const ReadResult result = ReadCopiedText((dir / "input").string(), read, start, error);
    encodings::TextInputError invalid{};
    const std::optional<Text> whole = encodings::DecodeTextInput(bytes, &invalid);
    ASSERT_EQ(result, whole ? ReadResult::Read : ReadResult::Undecodable) << error;
    if (whole) {
      ASSERT_TEXT_EQ(read, text::NormaliseLineBreaks(*whole));
    } else {
      EXPECT_EQ(error, encodings::Describe(invalid));
    }
    // What detection reads, for naming what an undecodable input reads as.
    EXPECT_TRUE(start == bytes.substr(0, detection::kDetectionSampleBytes + 1));
  }
  Text read;
  std::string start, error;
  EXPECT_EQ(ReadCopiedText((dir / "missing").string(), read, start, error), ReadResult::Unreadable);
  EXPECT_FALSE(error.empty());
}

TEST(EncodeInBlocks, GivesTheWholeTextEncodedWithItsLineBreaks) {
  Text lone = LargeText();
  lone[lone.size() / 2] = u'\xD800';  // a lone surrogate: U+FFFD
  for (const Text& text : {LargeText(), lone, Text(u"a\r\nb\r\n\r\n")}) {
    for (const std::string_view lineBreak : {"\n", "\r\n"}) {
      std::string encoded;
      EncodeInBlocks(text, lineBreak, [&](std::string_view block) { encoded += block; });
      const std::string expected = encodings::EncodeUtf8(
          text::Replace(text, text::kCrlf, Text(lineBreak.begin(), lineBreak.end())));
      // (megabytes: only where they differ is shown)
      const auto [at, _] =
          std::mismatch(encoded.begin(), encoded.end(), expected.begin(), expected.end());
      ASSERT_EQ(encoded.size(), expected.size());
      ASSERT_EQ(at, encoded.end()) << "differ at byte " << at - encoded.begin();
    }
  }
}

}  // namespace
}  // namespace velmora::cli
