#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

#include "ModMain/Letters/CharsetTables.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "support/TextPrinting.h"

namespace velmora::letters {
namespace {

// Positions are 1-based, as the tables are described.
TextView At(TextView table, std::size_t pos, std::size_t length) {
  return table.substr(pos - 1, length);
}

TEST(CharsetTables, TheNamedPositions) {
  EXPECT_TEXT_EQ(At(UnicodeComposedLetters, 15, 2), u"a\u0300");       // à, letter 15
  EXPECT_TEXT_EQ(At(UnicodeComposedLetters, 253, 2), u"Y\u0323");      // Ỵ, letter 134
  EXPECT_TEXT_EQ(At(UnicodeComposedLetters, 25, 2), u"\u00E2\u0300");  // ầ (20): â + grave
  EXPECT_TEXT_EQ(At(VniLetters, 9, 2), u"\u00F1 ");                    // đ
  EXPECT_TEXT_EQ(At(VniLetters, 257, 2), u"\u00EE ");                  // ỵ
  EXPECT_TEXT_EQ(At(VniLetters, 267, 2), u"\u00CE ");                  // Ỵ
  EXPECT_EQ(Tcvn3Letters[129 - 1], u'\u00FE');                         // ỵ
  EXPECT_EQ(Tcvn3Letters[134 - 1], u'\u00FE');                         // Ỵ, the same byte
  EXPECT_EQ(Tcvn3Letters.find(u'\u00FE') + 1, 129u);                   // found first as ỵ
  EXPECT_TEXT_EQ(At(Cp1258Letters, 13, 2), u"\u0119 ");                // ê: byte EA as ę
  EXPECT_TEXT_EQ(At(Cp1258Letters, 29, 2), u"a\u011A");                // à: 61 CC as a, Ě
  EXPECT_TEXT_EQ(UnicodeLetters.substr(0, 14),
                 u"\u00E2\u0103\u00C2\u0102\u0111\u0110\u00EA\u00CA\u01A1\u00F4\u01A0\u00D4\u01B0"
                 u"\u01AF");  // â ă Â Ă đ Đ ê Ê ơ ô Ơ Ô ư Ư
}

// Every entry of these tables is found by a search of its table at its own
// position, so the letter index of a found entry is the entry's own.
TEST(CharsetTables, EveryEntryIsFoundAtItsOwnPosition) {
  for (std::size_t k = 1; k <= 134; ++k) {
    EXPECT_EQ(UnicodeLetters.find(At(UnicodeLetters, k, 1)) + 1, k);
    EXPECT_EQ(VniLetters.find(At(VniLetters, 2 * k - 1, 2)) + 1, 2 * k - 1) << k;
    EXPECT_EQ(Cp1258Letters.find(At(Cp1258Letters, 2 * k - 1, 2)) + 1, 2 * k - 1) << k;
    const std::size_t composedAt = k < 15 ? k : 2 * k - 15;
    EXPECT_EQ(
        UnicodeComposedLetters.find(At(UnicodeComposedLetters, composedAt, k < 15 ? 1 : 2)) + 1,
        composedAt)
        << k;
  }
}

TEST(CharsetTables, TcvnToneCapitalsRepeatTheLowercaseBytes) {
  const struct {
    int capitals, lowercase, count;
  } groups[] = {{30, 15, 15}, {55, 45, 10},   {70, 65, 5},
                {90, 75, 15}, {115, 105, 10}, {130, 125, 5}};
  std::set<char16_t> bytes;
  for (const auto& g : groups) {
    EXPECT_TEXT_EQ(At(Tcvn3Letters, g.capitals, g.count), At(Tcvn3Letters, g.lowercase, g.count));
  }
  // Everything else is distinct: 134 entries, 60 of them repeats.
  for (const char16_t unit : Tcvn3Letters) bytes.insert(unit);
  EXPECT_EQ(bytes.size(), 134u - 60u);
}

TEST(CharsetTables, SpacesAreOnlyFillersAfterOneByteLetters) {
  EXPECT_EQ(UnicodeComposedLetters.find(u' '), TextView::npos);
  for (const TextView table : {VniLetters, Cp1258Letters}) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i] == u' ') {
        EXPECT_EQ(i % 2, 1u) << i;  // the second unit of an entry
      }
    }
  }
  // VNI and TCVN3 hold only ASCII letters and the bytes A1-FE.
  for (const TextView table : {VniLetters, Tcvn3Letters}) {
    for (const char16_t unit : table) {
      const bool asciiLetter = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
      EXPECT_TRUE(unit == u' ' || asciiLetter || (unit >= 0xA1 && unit <= 0xFE))
          << static_cast<unsigned>(unit);
    }
  }
}

// Under ctest every test runs in a process of its own, so here the two
// threads race to build the look-ups.
TEST(CharsetTables, TwoThreadsConvertingAtOnceGetTheSameResult) {
  Text a, b;
  std::thread one([&] { a = ConvertCharset(u"Vi\u00EA\u0323t", CharsetUnicode, CharsetVni); });
  std::thread two([&] { b = ConvertCharset(u"Vi\u00EA\u0323t", CharsetUnicode, CharsetVni); });
  one.join();
  two.join();
  EXPECT_TEXT_EQ(a, u"Vie\u00E4t");
  EXPECT_TEXT_EQ(b, a);
}

}  // namespace
}  // namespace velmora::letters
