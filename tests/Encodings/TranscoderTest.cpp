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

// The targets that hold letters as codes of their own.
constexpr Representation kLetterTargets[] = {
    Representation::Vni,     Representation::Tcvn3,    Representation::Cp1258,
    Representation::Viscii,  Representation::Tcvn5712, Representation::Viqr,
    Representation::NoMarks,
};

// «Tiếng Việt» decomposed (NFD), with the marks in the other order, and with
// a precomposed part: each target writes the letters it holds, the bytes of
// the precomposed text, with and without -c, by both entry points.
TEST(Transcoder, DecomposedLettersAreWrittenAsTheTargetsOwnLetters) {
  const TextView precomposed = u"Ti\u1EBFng Vi\u1EC7t\n";
  const TextView spellings[] = {
      u"Tie\u0302\u0301ng Vie\u0323\u0302t\n",
      u"Tie\u0302\u0301ng Vie\u0302\u0323t\n",
      u"Ti\u00EA\u0301ng Vi\u1EB9\u0302t\n",
  };
  for (const Representation to : kLetterTargets) {
    std::string expected;
    EncodeReport precomposedReport;
    ASSERT_TRUE(EncodeRepresentation(to, precomposed, {}, expected, precomposedReport));
    for (const TextView spelling : spellings) {
      for (const bool leaveOut : {false, true}) {
        std::string direct;
        EncodeReport report;
        EXPECT_TRUE(EncodeRepresentation(to, spelling, {leaveOut}, direct, report));
        EXPECT_EQ(direct, expected) << Describe(to).name << " " << test::Readable(spelling);
        EXPECT_EQ(report.leftOut, 0u);
        Transcoder transcoder(Representation::Unicode, to, {leaveOut});
        std::string streamed;
        Transcoder::Failure failure;
        EXPECT_TRUE(transcoder.Convert(EncodeUtf8(spelling), streamed, failure));
        EXPECT_EQ(streamed, expected) << Describe(to).name << " " << test::Readable(spelling);
        EXPECT_EQ(transcoder.Report().leftOut, 0u);
        EXPECT_EQ(transcoder.Report().lowercasedCapitals, precomposedReport.lowercasedCapitals);
      }
    }
  }
}

// What a target truly cannot hold is named where the input has it (line and
// column of the input's characters), or left out alone with -c.
TEST(Transcoder, OnlyWhatTheTargetCannotHoldStopsOrIsLeftOut) {
  struct Case {
    std::string_view input;  // UTF-8, decomposed
    std::size_t line, column;
    char32_t character;
    TextView kept;  // what -c writes, as text
  };
  const Case cases[] = {
      {"a\nTie\xCC\x82\xCC\x81ng \xE2\x98\x83\n", 2, 9, 0x2603, u"a\nTi\u1EBFng \n"},  // ☃
      {"Vie\xCC\xA3\xCC\x82t x\xCC\x85\n", 1, 9, 0x0305, u"Vi\u1EC7t x\n"},  // x + overline
  };
  for (const Representation to : {Representation::Viscii, Representation::Tcvn5712,
                                  Representation::Vni, Representation::Cp1258}) {
    for (const Case& c : cases) {
      Transcoder stopping(Representation::Unicode, to);
      std::string out;
      Transcoder::Failure failure;
      EXPECT_FALSE(stopping.Convert(c.input, out, failure)) << Describe(to).name;
      EXPECT_EQ(failure.line, c.line) << Describe(to).name;
      EXPECT_EQ(failure.column, c.column) << Describe(to).name;
      EXPECT_EQ(failure.character, c.character) << Describe(to).name;
      Transcoder leaving(Representation::Unicode, to, {true});
      out.clear();
      EXPECT_TRUE(leaving.Convert(c.input, out, failure));
      std::string expected;
      EncodeReport report;
      ASSERT_TRUE(EncodeRepresentation(to, c.kept, {}, expected, report));
      EXPECT_EQ(out, expected) << Describe(to).name;
      EXPECT_EQ(leaving.Report().leftOut, 1u) << Describe(to).name;
    }
  }
}

}  // namespace
}  // namespace velmora::encodings
