#include "reference/RecordPieces.h"

namespace velmora::reference {
namespace {

// Lone surrogates, which no literal can spell.
constexpr char16_t kSurrogates[] = {0xD800, 0xDBFF, 0xDC00, 0xDFFF};

constexpr TextView kRecordPieces[] = {
    // digits and tags, "000" which is never a tag, a year
    u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"000", u"001", u"020", u"041",
    u"082", u"084", u"100", u"245", u"250", u"260", u"300", u"440", u"490", u"500", u"650", u"653",
    u"700", u"999", u"1998",
    // line breaks, blanks
    u"\r\n", u"\r\n", u"\r\n", u"\r", u"\n", u"\t", u"\t", u" ", u" ", u"  ", u"   ", u"    ",
    // working-text and source-layout punctuation
    u"$", u"$a", u"$b", u"$c", u"$x", u"$v", u"$z", u"|", u"|a", u"|b", u"|x", u"\t|", u" |", u"=",
    u"==", u"#", u"##", u"_", u"%", u"%", u":", u" :", u";", u" ;", u",", u" ,", u".", u"/", u" /",
    u"$a", u"=##$a", u"245=10$a", u"%650=#7$a",
    // the start marker and its letters
    u"Z", u"ZZZZ", u"ZZZZ\r\n", u"ZZZZ%",
    // subfield codes and other letters
    u"a", u"b", u"c", u"d", u"e", u"h", u"n", u"p", u"v", u"x", u"y", u"z", u"A", u"q", u"Title",
    u"Author",
    // Vietnamese letters: precomposed, and base + combining tone mark
    u"\u1EC7",        // ệ
    u"\u0110",        // Đ
    u"\u01B0",        // ư
    u"\u01A1",        // ơ
    u"\u1EA7",        // ầ
    u"\u00E0",        // à
    u"\u00E2",        // â
    u"\u0103",        // ă
    u"\u1EF4",        // Ỵ
    u"e\u0323",       // e + combining dot below
    u"\u00EA\u0323",  // ê + combining dot below
    u"\u00E2\u0301",  // â + combining acute
    u"a\u0300",       // a + combining grave
    u"\u0300", u"\u0301", u"\u0303", u"\u0309", u"\u0323", u"\u0302",
    // single bytes of the 8-bit representations (VNI, TCVN3, CP1258 as text)
    u"\u00F4", u"\u00F1", u"\u00CE", u"\u00D1", u"\u00F6", u"\u00F8", u"\u00B5", u"\u00FE",
    u"\u00A7", u"\u00AD", u"\u00EA", u"\u011A", u"\u0151", u"\u00FD", u"\u00C0",
    // code units that break naive code
    TextView(u"\0", 1), u"\uFFFF", u"\uFFFE", u"\uFEFF", u"\u2028", u"\u2029", u"\u0085",
    TextView(kSurrogates, 1), TextView(kSurrogates + 1, 1), TextView(kSurrogates + 2, 1),
    TextView(kSurrogates + 3, 1), TextView(kSurrogates + 1, 2) /* high then low */, u"\U0001F600",
    u"\u00A0", u"\u3000"};

// A tag, "000" (never a tag) and a tag cut short, each between what a tag
// rule looks for around it.
void AddAroundTags(TextView before, TextView after, std::vector<Text>& pieces) {
  for (const TextView digits : {u"245", u"000", u"99"}) {
    pieces.push_back(Text(before) + Text(digits) + Text(after));
  }
}

void AddPiecesOf(const records::RewriteStep& step, std::vector<Text>& pieces) {
  using Kind = records::RewriteStep::Kind;
  switch (step.kind) {
    case Kind::Replace:
      pieces.push_back(Text(step.find));
      break;
    case Kind::TagRule:
    case Kind::FieldStartTagRule:
      AddAroundTags(step.before, step.after, pieces);
      AddAroundTags(u"", step.after, pieces);
      break;
    case Kind::SubfieldCodeRule:
      if (step.codes.empty()) break;
      for (const char16_t code : {step.codes.front(), step.codes.back()}) {
        pieces.push_back(Text(step.before) + code + Text(step.before));
        pieces.push_back(Text(step.before) + code);
      }
      break;
    case Kind::LineReplace:
      pieces.push_back(Text(step.find));
      if (!step.codes.empty()) pieces.push_back(Text(text::kCrlf) + step.codes.front());
      break;
    case Kind::Prepend:
      pieces.push_back(Text(step.replacement));
      break;
  }
}

}  // namespace

std::span<const TextView> RecordPieces() {
  return kRecordPieces;
}

std::vector<Text> StepPieces(std::span<const records::RewriteStep> steps) {
  std::vector<Text> pieces;
  for (const records::RewriteStep& step : steps) AddPiecesOf(step, pieces);
  return pieces;
}

Text RandomText(std::mt19937& random, std::span<const TextView> pieces, int maxPieces) {
  std::uniform_int_distribution<int> count(0, maxPieces);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  Text out;
  for (int n = count(random); n > 0; --n) out.append(pieces[pick(random)]);
  return out;
}

Text RandomRecordText(std::mt19937& random, int maxPieces, std::span<const Text> focus) {
  std::uniform_int_distribution<int> count(0, maxPieces);
  std::uniform_int_distribution<std::size_t> pickRecord(0, std::size(kRecordPieces) - 1);
  std::uniform_int_distribution<std::size_t> pickFocus(0, focus.empty() ? 0 : focus.size() - 1);
  std::bernoulli_distribution fromFocus(focus.empty() ? 0.0 : 0.5);
  Text out;
  for (int n = count(random); n > 0; --n) {
    if (fromFocus(random)) {
      out.append(focus[pickFocus(random)]);
    } else {
      out.append(kRecordPieces[pickRecord(random)]);
    }
  }
  return out;
}

}  // namespace velmora::reference
