#include <gtest/gtest.h>

#include <random>

#include "Encodings/Codecs.h"
#include "Encodings/Transcoder.h"
#include "Encodings/Utf8.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "reference/LiteralCharset.h"
#include "support/TextPrinting.h"

namespace velmora::encodings {
namespace {

// The table-driven conversion of 8-bit files into UTF-8 gives what decoding
// and encoding give, for every pair of bytes (a base and a tone mark among
// them) and with blocks cut at line breaks.
TEST(Transcoder, EightBitIntoUnicodeEqualsDecodingEveryBytePair) {
  std::string pairs;
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      if (first == '\r' || second == '\r') continue;
      pairs += std::string{char(first), char(second), '\n'};
    }
  }
  for (const Representation from :
       {Representation::Vni, Representation::Tcvn3, Representation::Cp1258, Representation::Viscii,
        Representation::Tcvn5712}) {
    Transcoder transcoder(from, Representation::Unicode);
    std::string out;
    Transcoder::Failure failure;
    const std::size_t half = pairs.size() / 2 / 3 * 3;  // after a line feed
    ASSERT_TRUE(transcoder.Convert(std::string_view(pairs).substr(0, half), out, failure));
    ASSERT_TRUE(transcoder.Convert(std::string_view(pairs).substr(half), out, failure));
    EXPECT_TRUE(out == EncodeUtf8(*DecodeRepresentation(from, pairs))) << Describe(from).name;
  }
}

// Joining tone marks in UTF-8 as it stands gives what decoding, joining
// (ConvertCharset with 1 and 1) and encoding give.
TEST(Transcoder, JoiningInUtf8EqualsJoiningDecodedTextOnRandomTexts) {
  std::mt19937 random(1456);
  for (int i = 0; i < 3000; ++i) {
    const std::string bytes = EncodeUtf8(reference::RandomCharsetText(random, 30));
    Transcoder transcoder(Representation::Unicode, Representation::Unicode);
    std::string out;
    Transcoder::Failure failure;
    ASSERT_TRUE(transcoder.Convert(bytes, out, failure));
    Text expected = letters::ConvertCharset(*DecodeUtf8(bytes, nullptr), 1, 1);
    expected = text::Replace(text::Replace(expected, u"\r\n", u"\n"), u"\r", u"\n");
    ASSERT_EQ(out, EncodeUtf8(expected)) << test::Readable(*DecodeUtf8(bytes, nullptr));
  }
}

TEST(Transcoder, BadInputIsNamedByItsOffsetInTheInput) {
  Transcoder transcoder(Representation::Unicode, Representation::Unicode);
  std::string out;
  Transcoder::Failure failure;
  ASSERT_TRUE(
      transcoder.Convert("\xEF\xBB\xBF"
                         "ab\r\n",
                         out, failure));
  EXPECT_FALSE(transcoder.Convert("x\r\ny\xC3", out, failure));
  EXPECT_EQ(Describe(failure.input), "invalid UTF-8 at byte offset 11");
}

TEST(Transcoder, LineBreaksBecomeLineFeeds) {
  for (const Representation from : {Representation::Unicode, Representation::Tcvn3,
                                    Representation::Vni, Representation::Viqr}) {
    Transcoder transcoder(from, Representation::Unicode);
    std::string out;
    Transcoder::Failure failure;
    ASSERT_TRUE(transcoder.Convert("a\r\nb\rc\nd\r", out, failure));
    EXPECT_EQ(out, "a\nb\nc\nd\n") << Describe(from).name;
  }
}

}  // namespace
}  // namespace velmora::encodings
