#include "reference/LiteralIlibHueMarcEdit.h"

#include "reference/LiteralRewrites.h"

namespace velmora::reference {
namespace {

bool IsIlibCode(char16_t ch) {
  return TextView(u"abcdnpehzvxy23").find(ch) != TextView::npos;
}

// Bar, code, bar -> bar, "$", code; the second bar is consumed.
Text MarkSubfieldCodesByScan(TextView s) {
  Text out;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == u'|' && i + 2 < s.size() && IsIlibCode(s[i + 1]) && s[i + 2] == u'|') {
      out += u"|$";
      out += s[i + 1];
      i += 3;
    } else {
      out += s[i];
      i += 1;
    }
  }
  return out;
}

Text IlibColumnsAndTags(Text s) {
  s = text::Replace(s, u"\t", u"|");
  return ReplaceEachTagLiterally(std::move(s), text::kCrlf, u"|", u"\r\n%", u"=");
}

Text IlibLastSteps(Text s) {
  s = text::Replace(s, u"|", u"");
  s = text::Replace(s, u"  ", u"");
  s = text::Replace(s, u"==", u"=");
  s = text::Replace(s, text::kCrlf, u"");
  s = text::Replace(s, text::kStartMarkerField, u"");
  return text::Replace(s, text::kStartMarkerWord, u"");
}

// For c = 1 to 999: every «ddd=» (c's three digits) that starts a field, at
// the start of the text or directly after "%", becomes «=ddd  ».
Text MoveFieldStartTagsLiterally(Text s) {
  for (int c = 1; c <= 999; ++c) {
    const Text tag = text::ThreeDigitForm(c);
    const Text find = tag + u"=";
    Text replacement(u"=");
    replacement += tag;
    replacement += u"  ";
    Text out;
    std::size_t from = 0;
    for (std::size_t at = s.find(find); at != Text::npos; at = s.find(find, from)) {
      out.append(s, from, at - from);
      out.append(at == 0 || s[at - 1] == u'%' ? replacement : find);
      from = at + find.size();
    }
    out.append(s, from);
    s = std::move(out);
  }
  return s;
}

}  // namespace

Text LiteralIlibRewrite(Text s) {
  return IlibLastSteps(MarkSubfieldCodesByScan(IlibColumnsAndTags(std::move(s))));
}

Text LiteralHueRewrite(Text s) {
  s = ReplaceEachTagLiterally(std::move(s), text::kCrlf, u"", u"%", u"=");
  s = text::Replace(s, u"  ", u"$");
  s = text::Replace(s, text::kStartMarkerField, u"");
  s = text::Replace(s, text::kStartMarkerWord, u"");
  return text::Replace(s, text::kCrlf, u"");
}

Text LiteralMarcEditExport(Text s) {
  s = MoveFieldStartTagsLiterally(std::move(s));
  return text::Replace(s, u"%", text::kCrlf);
}

std::span<const TextView> IlibPieces() {
  static constexpr TextView kPieces[] = {
      u"\t",        u"\t",    u"|",    u"a",     u"b",  u"x",    u"e",        u"2",
      u"3",         u"A",     u"q",    u"Title", u"1",  u"0",    u"245",      u"000",
      u"001",       u"999",   u" ",    u"  ",    u"=",  u"==",   u"$",        u"%",
      u"\r",        u"\n",    u"\r\n", u"\r\n",  u"Z",  u"ZZZZ", u"ZZZZ\r\n", u"\u1EC7" /* ệ */,
      u"\r\n245\t", u"\ta\t", u"|b|",  u"\t2\t", u"\tx"};
  return kPieces;
}

std::span<const TextView> HuePieces() {
  static constexpr TextView kPieces[] = {
      u"24510", u"245", u"1001",  u"000",   u"0",  u"9",      u"  ", u"   ", u" ",
      u"a",     u"b",   u"Title", u"$",     u"%",  u"=",      u"\r", u"\n",  u"\r\n",
      u"\r\n",  u"Z",   u"ZZZZ",  u"ZZZZ%", u"\t", u"e\u0323" /* e + combining dot below */};
  return kPieces;
}

std::span<const TextView> MarcEditPieces() {
  static constexpr TextView kPieces[] = {
      u"0", u"1", u"2", u"3", u"4",  u"5", u"6",  u"9", u"000", u"123",  u"456", u"999",   u"245",
      u"=", u"=", u"%", u"%", u"$a", u" ", u"  ", u"#", u"A",   u"\r\n", u"%1",  u"%245=", u"=%"};
  return kPieces;
}

}  // namespace velmora::reference
