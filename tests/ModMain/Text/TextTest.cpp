#include <gtest/gtest.h>

#include <random>

#include "ModMain/Text/LineBreaks.h"
#include "ModMain/Text/Text.h"
#include "reference/RecordPieces.h"
#include "support/TextPrinting.h"

namespace velmora::text {
namespace {

struct ReplaceCase {
  TextView s, find, replacement, expected;
};

TEST(Replace, ScansLeftToRightWithoutOverlapAndNeverRescansInsertedText) {
  const ReplaceCase cases[] = {
      {u"", u"a", u"b", u""},
      {u"abc", u"x", u"y", u"abc"},
      {u"aaaa", u"aa", u"b", u"bb"},  // no overlap
      {u"aaa", u"aa", u"b", u"ba"},   // leftmost first
      {u"==#", u"==", u"=", u"=#"},
      {u"===", u"==", u"=", u"=="},    // the result is not scanned again
      {u"a b", u" ", u"  ", u"a  b"},  // inserted text is not rescanned
      {u"$A$a", u"$a", u"X", u"$AX"},  // case-sensitive
      {u"     ", u"    ", u"", u" "},  // groups of four counted from the left
      {u"x\r\ny", u"\r\n", u"%", u"x%y"},
      {u"x\ny\r", u"\r\n", u"%", u"x\ny\r"},  // a lone LF or CR is not CRLF
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_TEXT_EQ(Replace(c.s, c.find, c.replacement), c.expected)
        << test::Readable(c.s) << " " << test::Readable(c.find);
  }
}

TEST(TextHelpers, ThreeDigitFormAndTrimming) {
  EXPECT_TEXT_EQ(ThreeDigitForm(1), u"001");
  EXPECT_TEXT_EQ(ThreeDigitForm(10), u"010");
  EXPECT_TEXT_EQ(ThreeDigitForm(245), u"245");
  EXPECT_TEXT_EQ(ThreeDigitForm(999), u"999");
  EXPECT_TEXT_EQ(TrimSpaces(u"  a b  "), u"a b");
  EXPECT_TEXT_EQ(TrimSpaces(u"\ta\t "), u"\ta\t");  // only U+0020 is trimmed
  EXPECT_TEXT_EQ(TrimSpaces(u"   "), u"");
  EXPECT_TEXT_EQ(RemoveAll(u"a:b::c", u':'), u"abc");
}

TEST(LineBreaks, EveryBreakBecomesCrlf) {
  const struct {
    TextView in, expected;
  } cases[] = {
      {u"", u""},
      {u"a\r\nb", u"a\r\nb"},
      {u"a\nb\n", u"a\r\nb\r\n"},
      {u"a\rb", u"a\r\nb"},
      {u"\n\r", u"\r\n\r\n"},          // LF then a lone CR: two breaks
      {u"\r\r\n\n", u"\r\n\r\n\r\n"},  // CR, CRLF, LF
      {u"a\u2028b", u"a\u2028b"},      // only CR and LF are line breaks
  };
  for (const auto& c : cases) EXPECT_TEXT_EQ(NormaliseLineBreaks(c.in), c.expected);
}

// The fast search compares many units at once, in blocks of 8 and 32: a
// match is found at any place in a block and across its ends, and units
// whose high or low byte equals a searched ASCII character are not taken for it.
TEST(FindText, FindsWhatStringFindFindsOnRandomTexts) {
  static constexpr TextView kPieces[] = {u"$",      u" ",      u" $",     u"=",      u"\r\n",
                                         u"\u2420", u"\u2024", u"\u243D", u"\u3D00", u"\u0D0D",
                                         u"a",      u"==",     u"  $",    u"\u1EC7"};
  static constexpr TextView kFinds[] = {u"$",    u" $",     u"  $", u"    ", u"=",      u"==",
                                        u"\r\n", u"\u2420", u"a$",  u"# $",  u"\u1EC7$"};
  std::mt19937 random(2420);
  for (int i = 0; i < 8000; ++i) {
    const Text s = reference::RandomText(random, kPieces, 60);
    for (const TextView find : kFinds) {
      for (std::size_t from = 0; from <= s.size() + 1; from += 3) {
        ASSERT_EQ(FindText(s, find, from), TextView(s).find(find, from))
            << test::Readable(s) << " " << test::Readable(find) << " from " << from;
      }
    }
  }
}

}  // namespace
}  // namespace velmora::text
