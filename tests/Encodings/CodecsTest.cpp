#include <gtest/gtest.h>

#include "Encodings/Codecs.h"
#include "ModMain/Letters/VietnameseLetters.h"
#include "support/TextPrinting.h"

namespace velmora::encodings {
namespace {

// Windows-1258 files hold precomposed letters where the code page has them
// (C0 À, E0 à, D9 Ù...) and decomposed ones elsewhere; both read as letters.
TEST(Codecs, Cp1258ReadsAsWindows1258AndJoinsTones) {
  EXPECT_TEXT_EQ(DecodeCp1258("H\xE0 N\xF4\xCCi"), u"H\u00E0 N\u1ED3i");  // Hà Nồi
  EXPECT_TEXT_EQ(DecodeCp1258("\xC0\xC8\xD9\xE8\xF9\x80\x93"),
                 u"\u00C0\u00C8\u00D9\u00E8\u00F9\u20AC\u201C");
  EXPECT_TEXT_EQ(DecodeCp1258("\xD0\xFD\xF5\xCCng"), u"\u0110\u01B0\u1EDDng");  // Đường
  EXPECT_TEXT_EQ(DecodeCp1258("\xCCx \xE0\xEC"), u"\u0300x \u00E0\u0301");      // nothing to join
  EXPECT_TEXT_EQ(DecodeCp1258("\x81\x8A"), u"\u0081\u008A");  // open bytes: controls
}

TEST(Codecs, Cp1258WritesLettersDecomposedAndOtherCharactersAsTheirBytes) {
  std::string out;
  EncodeReport report;
  EXPECT_TRUE(EncodeRepresentation(
      Representation::Cp1258, u"H\u00E0 \u0110\u01B0\u1EDDng \u20AC\u00C4\u01F9", {}, out, report));
  EXPECT_EQ(out, "Ha\xCC \xD0\xFD\xF5\xCCng \x80\xC4n\xCC");  // ǹ: n and a grave
  out.clear();
  // Ě has no Windows-1258 byte.
  EXPECT_FALSE(EncodeRepresentation(Representation::Cp1258, u"ab\u011A", {}, out, report));
  EXPECT_EQ(report.unwritableAt, 2u);
}

// Bytes 80-9F of VNI and TCVN3 files are Windows-1252 punctuation.
TEST(Codecs, VniAndTcvn3ReadPunctuationAsWindows1252) {
  EXPECT_TEXT_EQ(DecodeVni("\x93th\xF4\x94 \x96 \x85"), u"\u201Cth\u01A1\u201D \u2013 \u2026");
  EXPECT_TEXT_EQ(DecodeTcvn3("\x91\xB5\x92\x95"), u"\u2018\u00E0\u2019\u2022");
  std::string out;
  EncodeReport report;
  EXPECT_TRUE(
      EncodeRepresentation(Representation::Vni, u"\u201Cth\u01A1\u201D \u0081", {}, out, report));
  EXPECT_EQ(out, "\x93th\xF4\x94 \x81");
  // A control whose byte Windows-1252 gives to a character.
  EXPECT_FALSE(EncodeRepresentation(Representation::Vni, u"\u0085", {}, out, report));
}

TEST(Codecs, Tcvn3CountsTonedCapitalsWrittenLowercase) {
  std::string out;
  EncodeReport report;
  EXPECT_TRUE(EncodeRepresentation(Representation::Tcvn3, u"\u00C0 \u00E0 \u0102 A\u0300 \u1EF4",
                                   {}, out, report));
  EXPECT_EQ(out, "\xB5 \xB5 \xA1 \xB5 \xFE");  // À à Ă, A + grave, Ỵ
  EXPECT_EQ(report.lowercasedCapitals, 3u);
}

TEST(Codecs, LeavingOutCountsWhatTheTargetCannotHold) {
  std::string out;
  EncodeReport report;
  EXPECT_TRUE(
      EncodeRepresentation(Representation::Viscii, u"a\u20ACb\U0001F600c", {true}, out, report));
  EXPECT_EQ(out, "abc");
  EXPECT_EQ(report.leftOut, 2u);
  EXPECT_EQ(report.firstLeftOut, U'\u20AC');
}

TEST(Codecs, DecomposedLettersAreInCanonicalOrder) {
  EXPECT_TEXT_EQ(DecomposeLetters(u"\u1EC7\u1EA7\u1EE3\u1EF1\u1EB7\u00C0\u0111x\u00F1"),
                 u"e\u0323\u0302"
                 u"a\u0302\u0300"
                 u"o\u031B\u0323"
                 u"u\u031B\u0323"
                 u"a\u0323\u0306"
                 u"A\u0300"
                 u"\u0111x\u00F1");  // ệ ầ ợ ự ặ À đ x ñ
}

TEST(Codecs, UnicodeTextReadsUtf8AndUtf16WithByteOrderMark) {
  const struct {
    std::string_view bytes;
    TextView text;
  } cases[] = {
      {"Vi\xE1\xBB\x87t", u"Vi\u1EC7t"},
      {"\xEF\xBB\xBFVi\xC3\xAA\xCC\xA3t", u"Vi\u1EC7t"},  // ê and a dot below joined
      {std::string_view("\xFF\xFEV\0i\0\xC7\x1Et\0", 10), u"Vi\u1EC7t"},
      {std::string_view("\xFE\xFF\0V\0i\x1E\xC7\0t", 10), u"Vi\u1EC7t"},
  };
  for (const auto& c : cases) EXPECT_TEXT_EQ(*DecodeUnicode(c.bytes), c.text);
  TextInputError error{};
  EXPECT_FALSE(DecodeUnicode(std::string_view("\xFF\xFE"
                                              "a\0\x00\xD8",
                                              6),
                             &error));  // lone surrogate
  EXPECT_EQ(Describe(error), "invalid UTF-16LE at byte offset 4");
  EXPECT_FALSE(DecodeUnicode(std::string_view("\xFF\xFE"
                                              "a\0b",
                                              5),
                             &error));  // half a unit
  EXPECT_EQ(error.byteOffset, 4u);
}

// Every letter in every representation reads back as itself (TCVN3: its
// toned capitals as lowercase).
TEST(Codecs, EveryLetterRoundTripsThroughEveryRepresentation) {
  for (const RepresentationInfo& info : AllRepresentations()) {
    if (!info.readable || info.id == Representation::NoMarks) continue;
    for (const letters::VietnameseLetter& letter : letters::kVietnameseLetters) {
      const Text text = Text(u"x") + letter.unicode + u"y";
      std::string bytes;
      EncodeReport report;
      ASSERT_TRUE(EncodeRepresentation(info.id, text, {}, bytes, report)) << info.name;
      const Text back = *DecodeRepresentation(info.id, bytes);
      const bool lowercased = info.id == Representation::Tcvn3 && report.lowercasedCapitals == 1;
      EXPECT_TRUE(back == text || lowercased) << info.name << " " << letter.number;
    }
  }
}

}  // namespace
}  // namespace velmora::encodings
