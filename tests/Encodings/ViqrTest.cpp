#include <gtest/gtest.h>

#include "Encodings/Viqr.h"
#include "ModMain/Letters/VietnameseLetters.h"
#include "support/TextPrinting.h"

namespace velmora::encodings {
namespace {

std::string Write(TextView text) {
  std::string out;
  EncodeReport report;
  EXPECT_TRUE(WriteViqr(text, {}, out, report)) << test::Readable(text);
  return out;
}

Text Widen(std::string_view ascii) {
  return Text(ascii.begin(), ascii.end());
}

TEST(Viqr, ReadsMarksEscapesAndStrokedD) {
  const struct {
    std::string_view viqr;
    TextView text;
  } cases[] = {
      {"Vie^.t Nam", u"Vi\u1EC7t Nam"},
      {"DDu+o+`ng ddi Dda`", u"\u0110\u01B0\u1EDDng \u0111i \u0110\u00E0"},  // Dd is Đ too
      {"To^i te^n la` Tra^`n Va(n Hie^'u\\.",
       u"T\u00F4i t\u00EAn l\u00E0 Tr\u1EA7n V\u0103n Hi\u1EBFu."},
      {"Ted\\dy Thu.y\\?", u"Teddy Th\u1EE5y?"},
      {"a'^ a^' a(.", u"\u1EA5 \u1EA5 \u1EB7"},     // a modifier after the tone joins too
      {"i^ y+ e( ", u"i^ y+ e( "},                  // no such letters: the marks stay
      {"a'' a^^", u"\u00E1' \u00E2^"},              // a second tone or modifier stays
      {"C:\\path \\\\. \\x", u"C:\\path \\. \\x"},  // a backslash escapes only marks, d, D, itself
      {"dD", u"dD"},
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(ReadViqr(Widen(c.viqr)), c.text) << c.viqr;
  }
}

// Each letter alone and after every character that a mark could join, with
// every mark written literally after it: reading gives back the text.
TEST(Viqr, EveryLetterAndLiteralMarkRoundTrips) {
  Text text;
  for (const letters::VietnameseLetter& letter : letters::kVietnameseLetters) {
    text += letter.unicode;
    text += u" ";
    for (const char16_t literal : TextView(u"^(+`?~'.dD\\")) {
      text += letter.unicode;
      text += literal;
      text += u"a";
      text += literal;
      text += u"d";
      text += literal;
      text += u" ";
    }
  }
  text += u"d\u0111 D\u0110 dd\\d \\\\ x\\";
  const std::string viqr = Write(text);
  EXPECT_TEXT_EQ(ReadViqr(Widen(viqr)), text);
  EXPECT_EQ(
      viqr.find_first_not_of(" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
                             "abcdefghijklmnopqrstuvwxyz{|}~"),
      std::string::npos);  // ASCII only
}

TEST(Viqr, WritesLettersAndEscapesOnlyWhatWouldJoin) {
  EXPECT_EQ(Write(u"Vi\u1EC7t Nam. \u0110\u01B0\u1EDDng?"), "Vie^.t Nam. DDu+o+`ng?");
  EXPECT_EQ(Write(u"Hi\u1EBFu. Teddy don't a'"), "Hie^'u\\. Ted\\dy don't a\\'");
}

TEST(Viqr, CharacterOutsideAsciiAndTheLettersCannotBeWritten) {
  std::string out;
  EncodeReport report;
  EXPECT_FALSE(WriteViqr(u"a\u00E7b", {}, out, report));  // ç
  EXPECT_EQ(report.unwritableAt, 1u);
  EXPECT_EQ(report.unwritable, U'\u00E7');
  out.clear();
  report = {};
  EXPECT_TRUE(WriteViqr(u"a\U0001F600'", {true}, out, report));
  EXPECT_EQ(out, "a\\'");  // left out, and the mark after it still escaped
  EXPECT_EQ(report.leftOut, 1u);
}

}  // namespace
}  // namespace velmora::encodings
