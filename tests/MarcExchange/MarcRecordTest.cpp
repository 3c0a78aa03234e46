// Reading an output record into the MARC model: what is a field, what is
// skipped, and that every skip is reported where it happened.
#include <gtest/gtest.h>

#include <random>

#include "MarcExchange/MarcRecord.h"
#include "reference/RecordPieces.h"
#include "support/TextPrinting.h"

namespace velmora::marc_exchange {
namespace {

// The model written back in the working-text form, blanks as "#", fields
// joined by "%": what was kept, at a glance.
Text Render(const MarcRecord& record) {
  Text out;
  for (const MarcField& field : record.fields) {
    if (!out.empty()) out += u'%';
    out += field.tag + u"=";
    if (field.IsControlField()) {
      out += field.data;
      continue;
    }
    out += field.ind1 == kBlankIndicator ? u'#' : field.ind1;
    out += field.ind2 == kBlankIndicator ? u'#' : field.ind2;
    for (const Subfield& subfield : field.subfields) {
      out += u'$';
      out += subfield.code;
      out += subfield.value;
    }
  }
  return out;
}

struct ExpectedIssue {
  ParseIssueKind kind;
  std::size_t position;
  TextView piece;
};

struct ParseCase {
  TextView text;
  TextView kept;
  std::vector<ExpectedIssue> issues;
};

void ExpectParses(const std::vector<ParseCase>& cases,
                  ParseResult (*parse)(TextView) = ParseOutputRecord) {
  for (const ParseCase& c : cases) {
    const ParseResult result = parse(c.text);
    EXPECT_TEXT_EQ(Render(result.record), c.kept) << test::Readable(c.text);
    ASSERT_EQ(result.issues.size(), c.issues.size()) << test::Readable(c.text);
    for (std::size_t i = 0; i < c.issues.size(); ++i) {
      EXPECT_EQ(result.issues[i].kind, c.issues[i].kind) << test::Readable(c.text) << " #" << i;
      EXPECT_EQ(result.issues[i].position, c.issues[i].position) << test::Readable(c.text);
      EXPECT_TEXT_EQ(result.issues[i].piece, c.issues[i].piece) << test::Readable(c.text);
    }
  }
}

TEST(ParseOutputRecord, ReadsTheRebuildsOutputFieldByField) {
  ExpectParses({
      {u"", u"", {}},
      {u"245=00$aTitle :$bsub /$cA", u"245=00$aTitle :$bsub /$cA", {}},
      {u"%100=##$aName%650=##$aA%650=##$aB", u"100=##$aName%650=##$aA%650=##$aB", {}},
      {u"%260=##$a$bKim", u"260=##$a$bKim", {}},               // the rebuild's empty "$a" is kept
      {u"245=00$aX %100=##$aY", u"245=00$aX %100=##$aY", {}},  // the space before "%" is data
      {u"  245=00$aX  ", u"245=00$aX", {}},  // as the lookups: the text's ends are trimmed
      {u"245=  10$aX% 100=1a$aY", u"245=10$aX%100=1a$aY", {}},
      {u"%%245=00$aX%% %", u"245=00$aX", {}},  // empty pieces lose nothing, report nothing
      {u"100=##$aA=B$b50%", u"100=##$aA=B$b50", {}},
      {u"001=VN-LIBOL 000123$x#", u"001=VN-LIBOL 000123$x#", {}},  // control field verbatim
      {u"245=00$aT\u1EBFt$A\U0001D11E", u"245=00$aT\u1EBFt$A\U0001D11E", {}},  // ế, 𝄞
  });
}

TEST(ParseOutputRecord, SkipsAndReportsWhatIsNotAFieldOfTheForm) {
  using enum ParseIssueKind;
  ExpectParses({
      {u"nam a22     a 4500%245=00$aX", u"245=00$aX", {{kNotAField, 0, u"nam a22     a 4500"}}},
      {u"245=00$aX%LDR=00000nam", u"245=00$aX", {{kNotAField, 10, u"LDR=00000nam"}}},
      {u"000=nam%24=0$aX%2450$aX",
       u"",
       {{kNotAField, 0, u"000=nam"}, {kNotAField, 8, u"24=0$aX"}, {kNotAField, 16, u"2450$aX"}}},
      {u"245=%100=##$aY", u"100=##$aY", {{kEmptyField, 0, u"245="}}},
      {u"001=  %245=00", u"", {{kEmptyField, 0, u"001=  "}, {kEmptyField, 7, u"245=00"}}},
      {u"245=$aTitle", u"", {{kBadIndicators, 0, u"245=$aTitle"}}},
      {u"245=0$aX%100=A#$aY%100= #$aZ",
       u"",
       {{kBadIndicators, 0, u"245=0$aX"},
        {kBadIndicators, 9, u"100=A#$aY"},
        {kBadIndicators, 19, u"100= #$aZ"}}},
      {u"245=00Title$bSub", u"245=00$bSub", {{kStrayText, 6, u"Title"}}},
      {u"245=00Title", u"", {{kEmptyField, 0, u"245=00Title"}}},
      {u"245=00$aX$", u"245=00$aX", {{kBadSubfieldCode, 9, u"$"}}},
      {u"245=00$aX$$bY$ z$-w",
       u"245=00$aX$bY",
       {{kBadSubfieldCode, 9, u"$"}, {kBadSubfieldCode, 13, u"$ z$-w"}}},  // a run is one issue
      {u"245=00$\u1EA1X$bY", u"245=00$bY", {{kBadSubfieldCode, 6, u"$\u1EA1X"}}},  // $ạ
      {u"245=00$", u"", {{kEmptyField, 0, u"245=00$"}}},
  });
}

TEST(ParseWorkingText, ReadsEveryFieldWithTheIndicatorsTheSourcesWrite) {
  using enum ParseIssueKind;
  ExpectParses(
      {
          {u"000nam a22 a 4500%001=VN-1%100=1$aA%650= 7$aB%020=$aC",  // leader passed over
           u"001=VN-1%100=1#$aA%650=#7$aB%020=##$aC",
           {}},
          {u"008=190315s2019####vm#a%001=#1", u"008=190315s2019    vm a%001=#1", {}},
          {u"245= 10$aT%245=00Title$bS",
           u"245=##$aT%245=##$bS",
           {{kStrayText, 4, u" 10"}, {kStrayText, 15, u"00Title"}}},
          {u"100=1#", u"", {{kEmptyField, 0, u"100=1#"}}},
      },
      ParseWorkingText);
  // Fields are numbered by the pieces they were read from, empty pieces aside.
  EXPECT_EQ(ParseOutputRecord(u"%245=00$aT%%nam%100=##$aA").fieldPieces,
            (std::vector<std::size_t>{0, 2}));
}

TEST(ReadWorkingIndicators, TakesWhatTheSourcesLeaveBeforeTheFirstSubfield) {
  const struct {
    TextView head;
    std::optional<Indicators> expected;
    std::size_t length;
  } cases[] = {
      {u"10", Indicators{u'1', u'0'}, 2},
      {u"#7", Indicators{u' ', u'7'}, 2},
      {u" 7", Indicators{u' ', u'7'}, 2},  // iLib, Hue: a space is a blank
      {u"1", Indicators{u'1', u' '}, 1},   // Libol «100    1 $a»: the blank went with " $"
      {u"", Indicators{}, 0},              // copied without indicators
      {u"1A", std::nullopt, 0},
      {u" 10", std::nullopt, 0},
      {u"à", std::nullopt, 0},
  };
  for (const auto& c : cases) {
    std::size_t length = 99;
    EXPECT_EQ(ReadWorkingIndicators(c.head, length), c.expected) << test::Readable(c.head);
    EXPECT_EQ(length, c.length) << test::Readable(c.head);
  }
}

TEST(ParseOutputRecord, ReplacesAndReportsCharactersMarcCannotCarry) {
  using enum ParseIssueKind;
  ExpectParses({
      {u"245=00$aA\tB\r\nC",
       u"245=00$aA B  C",
       {{kReplacedCharacter, 9, u"\t"}, {kReplacedCharacter, 11, u"\r\n"}}},
      {u"245=00$aA\x1D\x1E\x1F",
       u"245=00$aA\uFFFD\uFFFD\uFFFD",
       {{kReplacedCharacter, 9, u"\x1D\x1E\x1F"}}},
      {Text(u"245=00$a\0\uFFFE\uFFFF\x7F", 12),
       u"245=00$a\uFFFD\uFFFD\uFFFD\x7F",
       {{kReplacedCharacter, 8, Text(u"\0\uFFFE\uFFFF", 3)}}},
      {Text{u'0', u'0', u'1', u'=', 0xDC00, u'x', 0xD800},
       u"001=\uFFFDx\uFFFD",
       {{kReplacedCharacter, 4, Text(1, 0xDC00)}, {kReplacedCharacter, 6, Text(1, 0xD800)}}},
  });
}

// Whatever the text, the model holds only what every writer accepts, and
// every code unit of the text is either kept or inside a reported piece.
TEST(ParseOutputRecord, RandomTextsGiveOnlyValidFields) {
  std::mt19937 random(20240607);
  for (int i = 0; i < 3000; ++i) {
    const Text text = reference::RandomText(random, reference::RecordPieces(), 40);
    const ParseResult result = ParseOutputRecord(text);
    for (const MarcField& field : result.record.fields) {
      ASSERT_TRUE(IsValidTag(field.tag)) << test::Readable(text);
      if (field.IsControlField()) {
        ASSERT_FALSE(field.data.empty()) << test::Readable(text);
        continue;
      }
      ASSERT_TRUE(IsValidIndicator(field.ind1) && IsValidIndicator(field.ind2));
      ASSERT_FALSE(field.subfields.empty()) << test::Readable(text);
      for (const Subfield& subfield : field.subfields) {
        ASSERT_TRUE(IsValidSubfieldCode(subfield.code));
        for (char16_t unit : subfield.value) {
          ASSERT_TRUE(unit >= 0x20 && unit != 0xFFFE && unit != 0xFFFF) << test::Readable(text);
        }
      }
    }
    for (const ParseIssue& issue : result.issues) {
      ASSERT_LE(issue.position + issue.piece.size(), text.size());
      ASSERT_TEXT_EQ(TextView(text).substr(issue.position, issue.piece.size()), issue.piece);
    }
  }
}

// Large and degenerate texts stay linear: a megabyte of fields, of "$" and of
// separators.
TEST(ParseOutputRecord, LargeTextsStayLinear) {
  Text fields, marks(1 << 20, u'$'), separators(1 << 20, u'%');
  std::size_t count = 0;
  for (; fields.size() < (1u << 20); ++count)
    fields += u"%650=##$aV\u0103n h\u1ECDc$xA$x";  // Văn học
  marks.insert(0, u"245=00");
  const ParseResult parsed = ParseOutputRecord(fields);
  EXPECT_EQ(parsed.record.fields.size(), count);
  EXPECT_TRUE(parsed.issues.empty());
  EXPECT_EQ(ParseOutputRecord(marks).issues.size(), 1u);  // no subfield: the field goes
  Text controls(1 << 20, u'\x01');
  controls.insert(0, u"001=");
  EXPECT_EQ(ParseOutputRecord(controls).issues.size(), 1u);  // one run of replacements
  EXPECT_TRUE(ParseOutputRecord(separators).issues.empty());
}

}  // namespace
}  // namespace velmora::marc_exchange
