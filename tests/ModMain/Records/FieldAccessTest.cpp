#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ModMain/Records/FieldAccess.h"
#include "reference/RecordPieces.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

TEST(GetToken, SplitsTheTrimmedTextAndKeepsLeadingDelimitersInThePiece) {
  const struct {
    TextView text;
    int index;
    TextView expected;
  } cases[] = {
      // clang-format off
      {u"a%b", 1, u"a"},
      {u"a%b", 2, u"b"},
      {u"a%b", 3, u""},
      {u"a%b", 0, u"2"},
      {u"a%b", -1, u""},
      {u"  a b  ", 1, u"a b"},  // only the ends of the whole text are trimmed
      {u"%a%b", 1, u"%a"},      // a leading delimiter is a character of the piece
      {u"%a%b", 0, u"2"},
      {u"a%%b", 2, u"%b"},
      {u"", 1, u""},
      {u"", 0, u"0"},
      {u"%", 0, u"1"},
      {u"%%%", 1, u"%"},
      {u"a % b ", 2, u" b"},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(GetToken(c.text, u'%', c.index), c.expected)
        << test::Readable(c.text) << " index " << c.index;
  }
}

TEST(GetField, FindsTheOccurrenceAfterThePreviousMatch) {
  const struct {
    TextView text, tag;
    int occurrence;
    TextView expected;
  } cases[] = {
      {u"245=10$aX%100=1#$aY", u"100", 1, u"1#$aY"},
      {u"245=10$aX%100=1#$aY", u"100", 2, u""},
      {u"245=10$aX%100=1#$aY", u"500", 1, u""},
      {u"650=#7$aA%650=#7$aB", u"650", 2, u"#7$aB"},
      {u"245=  ##$aX  %100=1#$aY", u"245", 1, u"##$aX  "},  // spaces before "%" stay
      {u"100=1#$aY  ", u"100", 1, u"1#$aY"},                // the last field is trimmed
      {u"245=10$aX", u"245", 0, u""},
      {u"245=10$aX", u"245", -3, u""},
      {u"", u"245", 1, u""},
      {u"%245=10$aX%", u"245", 1, u"10$aX"},
      {u"500=##$aSee 245=X", u"245", 1, u"X"},  // a tag and "=" inside data is found too
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(GetField(c.text, c.tag, c.occurrence), c.expected)
        << test::Readable(c.text) << " " << test::Readable(c.tag) << " " << c.occurrence;
  }
}

TEST(GetSubfield, TakesTheValueUpToTheNextMark) {
  const struct {
    TextView field, code;
    int occurrence;
    TextView expected;
  } cases[] = {
      {u"##$aX $bY", u"$a", 1, u"X "},  // the space before "$b" stays
      {u"##$aX $bY", u"$b", 1, u"Y"},  {u"##$aX$aZ", u"$a", 2, u"Z"},
      {u"##$AX", u"$a", 1, u""},  // case-sensitive
      {u"##$aX", u"$a", 2, u""},       {u"##$aX", u"$a", 0, u""},
      {u"##$a   X  ", u"$a", 1, u"X"},
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(GetSubfield(c.field, c.code, c.occurrence), c.expected)
        << test::Readable(c.field) << " " << test::Readable(c.code) << " " << c.occurrence;
  }
  EXPECT_TEXT_EQ(GetFieldSubfield(u"245=10$aX$bY%650=#7$aA", u"245", 1, u"$b", 1), u"Y");
  EXPECT_TEXT_EQ(GetFieldSubfield(u"245=10$aX$bY%650=#7$aA", u"650", 1, u"$a", 1), u"A");
}

// An empty field or subfield is empty text, not the text of the next one.
TEST(FieldAccess, EmptyFieldOrSubfieldIsEmptyText) {
  EXPECT_TEXT_EQ(GetSubfield(u"##$a$bY", u"$a", 1), u"");
  EXPECT_TEXT_EQ(GetSubfield(u"##$a   $bY", u"$a", 1), u"");
  EXPECT_TEXT_EQ(GetSubfield(u"##$a", u"$a", 1), u"");
  EXPECT_TEXT_EQ(GetSubfield(u"##$a$b$cZ", u"$b", 1), u"");
  EXPECT_TEXT_EQ(GetField(u"245=%100=1#$aY", u"245", 1), u"");
  EXPECT_TEXT_EQ(GetField(u"245=  %100=1#$aY", u"245", 1), u"");
  EXPECT_TEXT_EQ(GetField(u"245=", u"245", 1), u"");
  // A value that merely contains the delimiter later is not empty.
  EXPECT_TEXT_EQ(GetSubfield(u"##$a X$bY", u"$a", 1), u"X");
}

TEST(FieldAccess, HugeOccurrencesAndStrangeMarksNeverFail) {
  EXPECT_TEXT_EQ(GetField(u"245=1%245=2", u"245", 2147483647), u"");
  EXPECT_TEXT_EQ(GetSubfield(u"$a1$a2", u"$a", 2147483647), u"");
  EXPECT_TEXT_EQ(GetSubfield(u"##$aX", u"", 5), u"##");
  EXPECT_TEXT_EQ(GetToken(u"a%b", u'%', -2147483647 - 1), u"");
}

TEST(FieldIndex, GivesWhatGetFieldGivesOnRandomTexts) {
  static constexpr TextView kTags[] = {u"245", u"650", u"024", u"455", u"24", u"ab=", u""};
  // What the lookups look for: each tag alone, before "=" and opening a field.
  std::vector<Text> focus;
  for (const TextView tag : kTags) {
    for (const Text& piece : {Text(tag), Text(tag) + u"=", u"%" + Text(tag) + u"="}) {
      focus.push_back(piece);
    }
  }
  std::mt19937 random(650);
  for (int i = 0; i < 20000; ++i) {
    // Long enough for a tag to have more fields than the index holds.
    const Text text = reference::RandomRecordText(random, i % 4 == 0 ? 120 : 24, focus);
    const FieldIndex index(text);
    for (const TextView tag : kTags) {
      for (int occurrence = -1; occurrence <= 12; ++occurrence) {
        ASSERT_TEXT_EQ(index.Field(tag, occurrence), GetFieldView(text, tag, occurrence))
            << test::Readable(text) << " " << test::Readable(tag) << " " << occurrence;
      }
    }
  }
}

}  // namespace
}  // namespace velmora::records
