#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ModMain/Letters/CharsetTables.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "reference/LiteralCharset.h"
#include "support/TextPrinting.h"

namespace velmora::letters {
namespace {

struct Case {
  std::int32_t from, to;
  TextView text, expected;
};

void ExpectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_TEXT_EQ(ConvertCharset(c.text, c.from, c.to), c.expected)
        << "(" << c.from << ", " << c.to << ") " << test::Readable(c.text);
    // The cases hold for the routine as written out, too.
    EXPECT_TEXT_EQ(reference::LiteralConvertCharset(c.text, c.from, c.to), c.expected);
  }
}

// «Đường»: Đ ư ờ n g
constexpr TextView kDuong = u"\u0110\u01B0\u1EDDng";

TEST(ConvertCharset, UnicodeToUnicodeJoinsToneMarks) {
  ExpectCases({
      {1, 1, u"Vi\u00EA\u0323t Nam", u"Vi\u1EC7t Nam"},  // ê + dot below -> ệ
      {1, 1, u"Vi\u1EC7t Nam \u0110\u01B0\u1EDDng", u"Vi\u1EC7t Nam \u0110\u01B0\u1EDDng"},
      {1, 1, u"\u00E2\u0103", u"\u00E2\u0103"},            // â ă, two single letters
      {1, 1, u"r\u01B0\u01A1\u0323u", u"r\u01B0\u1EE3u"},  // ư ơ + dot below -> ư ợ
      {1, 1, u"A\u0301 Y\u0323", u"\u00C1 \u1EF4"},        // Á, Ỵ: the first and last pairs
      // A plain base with two combining marks is not joined; the first pair is.
      {1, 1, u"e\u0302\u0301n", u"e\u0302\u0301n"},
      {1, 1, u"e\u0323\u0302t", u"\u1EB9\u0302t"},
      {1, 1, u"\u0300a", u"\u0300a"},  // a mark with no base before it
      {1, 1, u"a\u0300\u0300", u"\u00E0\u0300"},
      {1, 1, u"", u""},
  });
}

// A window that spans two neighbouring pairs of the composed table (a tone
// mark, then the next pair's base) is no letter: decomposed words come back
// as they were («bà» does not become «bà», «lợi» not «lơỆ»).
TEST(ConvertCharset, ToneMarkFollowedByABaseIsNotALetter) {
  for (const TextView text :
       {TextView(u"b\u0300a"), TextView(u"lo\u031B\u0323i"), TextView(u"ru\u031Bo\u031B\u0323u")}) {
    EXPECT_TEXT_EQ(ConvertCharset(text, 1, 1), text);
  }
}

TEST(ConvertCharset, UnicodeToEachRepresentation) {
  ExpectCases({
      {1, 5, kDuong, u"Duong"},
      {1, 5, u"Vi\u00EA\u0323t", u"Viet"},
      {1, 2, kDuong, u"\u00D1\u00F6\u00F4\u00F8ng"},
      {1, 2, u"\u1EA7", u"a\u00E0"},  // ầ
      {1, 2, u"\u1EF4", u"\u00CE"},   // Ỵ, one byte: the filler does not reach the result
      {1, 3, kDuong, u"\u00A7\u00AD\u00EAng"},
      {1, 3, u"\u1EF4", u"\u00FE"},
      {1, 4, kDuong, u"\u0110\u00FD\u0151\u011Ang"},
      {1, 4, u"\u00EA", u"\u0119"},  // ê, one byte
  });
}

TEST(ConvertCharset, EachRepresentationToUnicode) {
  ExpectCases({
      {2, 1, u"th\u00F4 hay", u"th\u01A1 hay"},  // the space after a one-byte letter stays
      {2, 1, u"\u00D1\u00F6\u00F4\u00F8ng", kDuong},
      {2, 1, u"x\u00F1", u"x\u0111"},  // a one-byte letter as the last unit
      {2, 1, u"\u00CE", u"\u1EF4"},
      {2, 1, u"a \u00F8", u"a \u00F8"},  // the filler never joins two units
      {3, 1, u"\u00B5", u"\u00E0"},
      {3, 1, u"\u00FE", u"\u1EF5"},  // ỵ, not Ỵ: the lowercase letter is found first
      {3, 1, u"\u00C0", u"\u00C0"},  // in no TCVN3 entry
      {4, 1, u"a\u011A", u"\u00E0"},
      {4, 1, u"\u0110\u00FD\u0151\u011Ang", kDuong},
      {5, 1, u"\u00B5", u"\u00E0"},  // read as TCVN3
      {0, 1, u"\u00B5", u"\u00E0"},
      {-1, 2, u"\u00B5", u"a\u00F8"},
  });
}

TEST(ConvertCharset, EqualCodesAndUnknownTargetsChangeNothing) {
  ExpectCases({
      {2, 2, u"th\u00F4 hay", u"th\u00F4 hay"},
      {3, 3, u"\u00FE", u"\u00FE"},
      {4, 4, u"a\u011A", u"a\u011A"},
      {5, 5, u"\u00B5", u"\u00B5"},  // read and written, it would become «a»
      {1, 7, u"a\u0300\u1EC7 \u0110", u"a\u0300\u1EC7 \u0110"},
      {1, 0, u"a\u0300", u"a\u0300"},
      {2, -1, u"a\u00F8", u"a\u00F8"},
  });
}

// Each letter into every representation and back. TCVN3 keeps toned capitals
// only as their lowercase letters, and the no-marks form keeps the base.
TEST(ConvertCharset, EveryLetterRoundTrips) {
  for (const VietnameseLetter& letter : kVietnameseLetters) {
    const Text unicode(1, letter.unicode);
    const Text inWords = u"x " + unicode + u" " + unicode + u"x";  // alone and between letters
    for (const std::int32_t code : {CharsetVni, CharsetCp1258}) {
      EXPECT_TEXT_EQ(ConvertCharset(ConvertCharset(inWords, 1, code), code, 1), inWords)
          << letter.number;
    }
    const Text tcvn3 = ConvertCharset(unicode, 1, CharsetTcvn3);
    EXPECT_TEXT_EQ(tcvn3, Text(1, letter.tcvn3));
    const Text back = ConvertCharset(tcvn3, CharsetTcvn3, 1);
    EXPECT_TEXT_EQ(back, Text(1, UnicodeLetters[Tcvn3Letters.find(letter.tcvn3)]));
    const bool sameCase = back == unicode;
    EXPECT_TRUE(sameCase || (letter.number >= 15 && letter.base >= u'A' && letter.base <= u'Z'))
        << letter.number;
    EXPECT_TEXT_EQ(ConvertCharset(unicode, 1, CharsetNoMarks), Text(1, letter.base));
    if (letter.number >= kFirstTonedLetter) {
      const Text decomposed{letter.composed.base, letter.composed.mark};
      EXPECT_TEXT_EQ(ConvertCharset(decomposed, 1, 1), unicode) << letter.number;
      EXPECT_TEXT_EQ(ConvertCharset(decomposed, 1, CharsetVni),
                     ConvertCharset(unicode, 1, CharsetVni));
    }
  }
}

// Every code unit that a source's table does not hold comes back unchanged,
// whatever the target.
TEST(ConvertCharset, EveryOtherCodeUnitPassesUnchanged) {
  const struct {
    std::int32_t from;
    std::vector<TextView> tables;
  } sources[] = {
      {CharsetUnicode, {UnicodeLetters, UnicodeComposedLetters}},
      {CharsetVni, {VniLetters}},
      {CharsetTcvn3, {Tcvn3Letters}},
      {CharsetCp1258, {Cp1258Letters}},
      {CharsetNoMarks, {Tcvn3Letters}},
  };
  for (const auto& source : sources) {
    Text others;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
      bool inTable = false;
      for (const TextView table : source.tables)
        inTable |= table.find(char16_t(unit)) != TextView::npos;
      if (!inTable) others.push_back(static_cast<char16_t>(unit));
    }
    for (std::int32_t to = 1; to <= 5; ++to) {
      if (to == source.from && to != 1) continue;
      EXPECT_EQ(ConvertCharset(others, source.from, to), others) << source.from << " -> " << to;
    }
  }
}

TEST(ConvertCharset, EqualsTheRoutineAsWrittenOnRandomTexts) {
  const std::int32_t codes[] = {-1, 0, 1, 2, 3, 4, 5, 7};
  std::mt19937 random(1258);
  for (const std::int32_t from : codes) {
    for (const std::int32_t to : codes) {
      for (int i = 0; i < 400; ++i) {
        const Text text = reference::RandomCharsetText(random, i < 300 ? 12 : 80);
        ASSERT_TEXT_EQ(ConvertCharset(text, from, to),
                       reference::LiteralConvertCharset(text, from, to))
            << "(" << from << ", " << to << ") " << test::Readable(text);
      }
    }
  }
}

TEST(ConvertLetters, ConvertingPieceByPieceEqualsConvertingWhole) {
  std::mt19937 random(5712);
  for (int i = 0; i < 2000; ++i) {
    const Text text = reference::RandomCharsetText(random, 40);
    for (const Representation from : {Representation::Unicode, Representation::Vni,
                                      Representation::Tcvn3, Representation::Cp1258}) {
      for (const LetterTable& to : kWrittenLetterTables) {
        Text pieces;
        for (std::size_t pos = 0; pos < text.size();) {
          const std::size_t length = LetterPieceLength(text, pos, from);
          ASSERT_TRUE(length == 1 || length == 2);
          pieces += ConvertLetters(TextView(text).substr(pos, length), from, to.representation);
          pos += length;
        }
        ASSERT_TEXT_EQ(pieces, ConvertLetters(text, from, to.representation))
            << "(" << CodeOf(from) << ", " << CodeOf(to.representation) << ") "
            << test::Readable(text);
      }
    }
  }
}

}  // namespace
}  // namespace velmora::letters
