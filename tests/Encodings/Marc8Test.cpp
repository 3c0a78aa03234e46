#include <gtest/gtest.h>

#include "Encodings/Marc8Decoder.h"
#include "Encodings/Marc8Encoder.h"
#include "Encodings/Normalization.h"
#include "ModMain/Letters/VietnameseLetters.h"
#include "VietnameseSpellings.h"
#include "support/TextPrinting.h"

namespace velmora::encodings {
namespace {

std::string Marc8(TextView text, bool leaveOut = false) {
  std::string out;
  EncodeReport report;
  EXPECT_TRUE(EncodeMarc8(text, {leaveOut}, out, report)) << test::Readable(text);
  return out;
}

struct DecodingCase {
  std::string_view bytes;
  TextView text;
};

TEST(Marc8, ReadsEverySetWithItsEscapesAndPutsMarksAfterTheirBase) {
  // clang-format off
  const DecodingCase cases[] = {
      {"Vi\xE3\xF2" "et Nam",
       u"Vie\u0302\u0323t Nam"},  // as written: circumflex, then dot below
      {"Tr\xBD\xE1\xBCng \xB3\xA3", u"Tr\u01B0\u01A1\u0300ng \u0111\u0110"},  // ư ơ đ Đ: letters
      {"\xE1 a", u" \u0300a"},                                                // a mark over a space
      {"\x1B(NmOSKWA\x1B(B!", u"\u041C\u043E\u0441\u043A\u0432\u0430!"},      // Москва
      {"\x1B)Q\xC0\x1B)E\xE1" "e",
       u"\u0491e\u0300"},  // extended Cyrillic in G1, then ANSEL again
      {"\x1B)!E\xE2" "e",
       u"e\u0301"},                               // ANSEL named with its «!»
      {"\x1B(S\x61\x62\x1B(B", u"\u03B1\u03B2"},  // basic Greek
      {"\x1B" "b12\x1Bs3 \x1Bp2\x1Bs",
       u"\u2081\u2082" "3 \u00B2"},                                                 // subscripts, superscripts
      {"\x1Bg\x61\x1Bs", u"\u03B1"},                                // the Greek symbols
      {"\x1B$1\x21\x30\x64 \x21\x30\x64\x1B(B", u"\u4EBA \u4EBA"},  // EACC, a space between
      {"\x1B$1\x22\x33\x39\x1B(B", u"\U00022C4D"},                  // EACC beyond the BMP
      {"\x1B(2\x60\x1B)3\xE1", u"\u05D0\u0641"},  // Hebrew in G0 and Arabic in G1 at once
      {"t\xEBo\xECs", u"to\u0361s"},              // a double diacritic: one mark, after the first
      {"\xECo", u"o\uFE21"},                      // its second half alone stays
      {"t\xEB\xFAo\xEC\xFBs", u"to\u0361\u0360s"},  // two over one letter: both second halves go
      {"\x88The \x89\x8D\x8E", u"\u0098The \u009C\u200D\u200C"},  // the controls of ANSEL
      {"a\tb\x1F" "c\x1E",
       u"a\tb\x1F" "c\x1E"},  // controls pass through
  };
  // clang-format on
  for (const DecodingCase& c : cases) {
    const Marc8Text decoded = DecodeMarc8(c.bytes);
    EXPECT_TEXT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.problemCount, 0u) << test::Readable(c.text);
  }
}

struct ProblemCase {
  std::string_view bytes;
  TextView text;
  Marc8Problem problem;
  std::size_t at;
};

TEST(Marc8, NamesWhatItCannotReadAndGoesOn) {
  // clang-format off
  const ProblemCase cases[] = {
      {"ab\xAF" "c",
       u"ab\uFFFD" "c",
       Marc8Problem::UnassignedCode, 2},  // no ANSEL character AF
      {"a\x7F" "b",
       u"a\uFFFD" "b",
       Marc8Problem::InvalidByte, 1},
      {"a\x81\xA0\xFF", u"a\uFFFD\uFFFD\uFFFD", Marc8Problem::InvalidByte, 1},
      {"a\x1B(Zb", u"ab", Marc8Problem::UnknownEscape, 1},      // skipped whole
      {"a\x1B$(B\x21", u"a!", Marc8Problem::UnknownEscape, 1},  // ASCII is one byte a character
      {"a\x1B(", u"a", Marc8Problem::UnknownEscape, 1},         // cut off
      {"\x1B$1\x21\x30\x1B(Bx", u"\uFFFDx", Marc8Problem::IncompleteCharacter, 3},
      {"x\xE1", u"x\u0300", Marc8Problem::MarkWithoutBase, 1},     // kept, after all there is
      {"\x1B(2\x50", u"\uFFFD", Marc8Problem::UnassignedCode, 3},  // none in basic Hebrew
  };
  // clang-format on
  for (const ProblemCase& c : cases) {
    const Marc8Text decoded = DecodeMarc8(c.bytes);
    EXPECT_TEXT_EQ(decoded.text, c.text);
    ASSERT_GE(decoded.problems.size(), 1u) << test::Readable(c.text);
    EXPECT_EQ(decoded.problems[0].problem, c.problem) << test::Readable(c.text);
    EXPECT_EQ(decoded.problems[0].byteOffset, c.at) << test::Readable(c.text);
  }
  // A field of garbage lists a few problems and counts them all.
  const Marc8Text garbage = DecodeMarc8(std::string(1000, '\xFF'));
  EXPECT_EQ(garbage.problemCount, 1000u);
  EXPECT_EQ(garbage.problems.size(), Marc8Text::kListedProblems);
}

struct EncodingCase {
  TextView text;
  std::string_view bytes;
};

TEST(Marc8, WritesEveryCharacterWithEscapesOnlyWhereNeeded) {
  // clang-format off
  const EncodingCase cases[] = {
      {u"Nguy\u1EC5n V\u0103n Tr\u01B0\u1EDDng",
       "Nguy\xE3\xE4" "en V\xE6" "an Tr\xBD\xE1\xBCng"},
      // One name in three spellings gives one set of bytes.
      {u"Vi\u1EC7t",
       "Vi\xF2\xE3" "et"},
      {u"Vie\u0302\u0323t",
       "Vi\xF2\xE3" "et"},
      {u"Vi\u00EA\u0323t",
       "Vi\xF2\xE3" "et"},
      {u"o\u031B\u0301 u\u031B", "\xE2\xBC \xBD"},  // a horn MARC-8 lacks: ơ and ư instead
      {u"\u0110\u1EE3", "\xA3\xF2\xBC"},
      {u"e\u0301\u0302",
       "\xE2\xE3" "e"},  // é + circumflex as it stands: no Vietnamese letter
      {u"\u041C\u043E\u0441\u043A\u0432\u0430 1", "\x1B(NmOSKWA 1\x1B(B"},  // digits in Cyrillic
      {u"\u0491 e\u0301",
       "\x1B)Q\xC0 \x1B)E\xE2" "e"},                            // extended Cyrillic, then ANSEL again
      {u"\u0491", "\x1B)Q\xC0\x1B)E"},  // and ANSEL at the end of the field
      {u"\u03B1\u03B2\u0301",
       "\x1Bga\xE2" "b\x1Bs"},  // the Greek symbols, ANSEL's acute
      {u"\u03B4\u03B1\u0301",
       "\x1B(Se\x22" "a\x1B(B"},  // basic Greek, with its own acute
      {u"H\u2082O x\u00B2",
       "H\x1B" "b2\x1BsO x\x1Bp2\x1Bs"},
      {u"\u4EBA \u4EBA", "\x1B$1\x21\x30\x64 \x21\x30\x64\x1B(B"},
      {u"\U00022C4D", "\x1B$1\x22\x33\x39\x1B(B"},
      {u"to\u0361s", "t\xEBo\xECs"},  // a double diacritic in two halves
      {u"to\uFE20s", "t\xEBo\xECs"},  // its first half alone, as the whole
      {u"e\uFE20e\uFE20\uFE21",
       "\xEB" "e\xEC\xEC\xEB" "e"},  // a second half of its own, before the whole mark (230 < 234)
      {u"to\u0361\u0360s", "t\xEB\xFAo\xEC\xFBs"},  // two over one letter, both second halves
      {u"to\u0361\uFE22s", "t\xEB\xFAo\xEC\xFBs"},  // a first half alone in the whole mark's place
      {u"\u0098The \u009C", "\x88The \x89"},
      {u"a\tb", "a\tb"},
      {u"10\u001FaVi\u1EC7t\u001Fb\u041C",
       "10\x1F" "aVi\xF2\xE3" "et\x1F" "b\x1B(Nm\x1B(B"},
  };
  // clang-format on
  for (const EncodingCase& c : cases) {
    EXPECT_EQ(Marc8(c.text), c.bytes) << test::Readable(c.text);
  }
}

struct UnwritableCase {
  TextView text;
  std::size_t at;
  char32_t character;
  std::string_view leavingOut;  // what -c writes
};

TEST(Marc8, StopsAtWhatItCannotHoldOrLeavesItOut) {
  // clang-format off
  const UnwritableCase cases[] = {
      {u"ab\u0E01c", 2, 0x0E01, "abc"},      // Thai
      {u"x\u031B y", 1, 0x031B, "x y"},      // a horn on a letter that has none
      {u"a\U0001F600", 1, 0x1F600, "a"},     // beyond every set
      {u"\u0301a", 0, 0x0301, "a"},          // a mark with nothing before it
      {u"\uFE20a", 0, 0xFE20, "a"},          // a first half alone with nothing before it
      {u"a\u001Bb\u001Ec", 1, 0x1B, "abc"},  // would change the sets, or end the field
      {u"\u1EA0\u0305 q", 1, 0x0305,
       "\xF2" "A q"},                     // a mark MARC-8 lacks on Ạ
      {u"\uAC03", 0, 0xAC03, ""},  // a Hangul syllable EACC lacks
  };
  // clang-format on
  for (const UnwritableCase& c : cases) {
    std::string out;
    EncodeReport report;
    EXPECT_FALSE(EncodeMarc8(c.text, {}, out, report)) << test::Readable(c.text);
    EXPECT_EQ(report.unwritableAt, c.at) << test::Readable(c.text);
    EXPECT_EQ(report.unwritable, c.character) << test::Readable(c.text);
    out.clear();
    EncodeReport leaving;
    EXPECT_TRUE(EncodeMarc8(c.text, {true}, out, leaving));
    EXPECT_EQ(out, c.leavingOut) << test::Readable(c.text);
    EXPECT_GE(leaving.leftOut, 1u);
  }
}

TEST(Marc8, EveryVietnameseLetterInEverySpellingReadsBackAsItself) {
  for (const letters::VietnameseLetter& letter : letters::kVietnameseLetters) {
    const std::vector<Text> spellings = test::VietnameseSpellings(letter.unicode);
    const std::string bytes = Marc8(spellings[0]);
    for (const Text& spelling : spellings) {
      EXPECT_EQ(Marc8(spelling), bytes) << test::Readable(spelling);
      const Marc8Text decoded = DecodeMarc8(Marc8(u"x" + spelling + u"y"));
      EXPECT_EQ(decoded.problemCount, 0u);
      EXPECT_TEXT_EQ(ToNfc(decoded.text), u"x" + Text(1, letter.unicode) + u"y");
    }
  }
}

}  // namespace
}  // namespace velmora::encodings
