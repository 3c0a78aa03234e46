#include "reference/LiteralRewrites.h"

namespace velmora::reference {

Text ReplaceEachTagLiterally(Text s, TextView before, TextView after, TextView newBefore,
                             TextView newAfter) {
  for (int c = 1; c <= 999; ++c) {
    const Text tag = text::ThreeDigitForm(c);
    s = text::Replace(s, Text(before) + tag + Text(after), Text(newBefore) + tag + Text(newAfter));
  }
  return s;
}

Text LiteralLibolRewrite(Text s) {
  s = ReplaceEachTagLiterally(std::move(s), text::kCrlf, u"", text::kCrlf, u"=");
  s = text::Replace(s, u"    ", u"");
  s = text::Replace(s, u"=$", u"$");
  s = text::Replace(s, u" $", u"$");
  s = text::Replace(s, text::kStartMarker, u"");
  s = text::Replace(s, u"  $", u"##$");
  s = text::Replace(s, u"# $", u"##$");
  s = text::Replace(s, u" #$", u"##$");
  s = text::Replace(s, u"==", u"=");
  s = text::Replace(s, text::kCrlf, u"%");
  return s;
}

Text RandomText(std::mt19937& random, std::span<const TextView> pieces, int maxPieces) {
  std::uniform_int_distribution<int> count(0, maxPieces);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  Text out;
  for (int n = count(random); n > 0; --n) out.append(pieces[pick(random)]);
  return out;
}

std::span<const TextView> RecordPieces() {
  static constexpr TextView kPieces[] = {
      u"0",        u"1",    u"2",  u"4",  u"5",    u"9",    u"000", u"001",   u"245",  u"650",
      u"999",      u"1998", u"\r", u"\n", u"\r\n", u"\r\n", u" ",   u"  ",    u"    ", u"$",
      u"$a",       u"=",    u"==", u"#",  u"%",    u"|",    u"\t",  u"a",     u"Z",    u"ZZZZ",
      u"ZZZZ\r\n", u"_",    u":",  u";",  u",",    u".",    u"/",   u"\u1EC7" /* ệ */};
  return kPieces;
}

}  // namespace velmora::reference
