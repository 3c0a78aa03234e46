#include "reference/LiteralCharset.h"

#include <array>
#include <vector>

#include "ModMain/Letters/CharsetTables.h"

namespace velmora::reference {
namespace {

// Mid(s, pos, length) with 1-based `pos`.
Text Mid(TextView s, std::size_t pos, std::size_t length) {
  return Text(s.substr(pos - 1, length));
}

// 1-based position of the first occurrence, 0 for none.
std::size_t FoundAt(TextView table, TextView w) {
  const std::size_t at = table.find(w);
  return at == TextView::npos ? 0 : at + 1;
}

}  // namespace

Text LiteralConvertCharset(TextView text, std::int32_t fromCode, std::int32_t toCode) {
  // 1.
  if (fromCode == toCode && fromCode != 1) return Text(text);
  // 2.
  letters::LoadCharsetTables();
  // 3.
  const Text s = Text(text) + u' ';
  const std::size_t n = s.size();
  Text out;
  std::size_t pos = 1;
  // 4.
  while (pos < n) {
    std::size_t idx = 0;
    Text w;
    if (fromCode == 1) {
      w = Mid(s, pos, 2);
      const std::size_t d = FoundAt(letters::UnicodeComposedLetters, w);
      const bool counts = d >= 15 && d % 2 == 1;
      if (counts) {
        idx = (d + 15) / 2;
        pos += 2;
      } else {
        w = Mid(s, pos, 1);
        idx = FoundAt(letters::UnicodeLetters, w);
        pos += 1;
      }
    } else if (fromCode == 2 || fromCode == 4) {
      const TextView table = fromCode == 2 ? letters::VniLetters : letters::Cp1258Letters;
      w = Mid(s, pos, 2);
      const std::size_t d = FoundAt(table, w);
      if (w[1] != u' ' && d % 2 == 1) {
        idx = (d + 1) / 2;
        pos += 2;
      } else {
        w = Mid(s, pos, 1);
        const std::size_t f = FoundAt(table, w + u' ');
        if (f > 0) idx = (f + 1) / 2;
        pos += 1;
      }
    } else {
      w = Mid(s, pos, 1);
      idx = FoundAt(letters::Tcvn3Letters, w);
      pos += 1;
    }
    if (idx > 0) {
      switch (toCode) {
        case 1:
          w = Mid(letters::UnicodeLetters, idx, 1);
          break;
        case 2:
          w = Text(text::TrimSpaces(Mid(letters::VniLetters, 2 * idx - 1, 2)));
          break;
        case 3:
          w = Mid(letters::Tcvn3Letters, idx, 1);
          break;
        case 4:
          w = Text(text::TrimSpaces(Mid(letters::Cp1258Letters, 2 * idx - 1, 2)));
          break;
        case 5:
          w = Mid(letters::BaseLetters, idx, 1);
          break;
        default:
          break;
      }
    }
    out += w;
  }
  // 5.
  return out;
}

Text RandomCharsetText(std::mt19937& random, int maxPieces) {
  static const std::vector<Text> kPieces = [] {
    std::vector<Text> pieces;
    for (std::size_t i = 0; i + 1 < letters::UnicodeComposedLetters.size(); ++i) {
      pieces.push_back(
          Text(letters::UnicodeComposedLetters.substr(i, 2)));  // pairs and spanning windows
    }
    for (const TextView table : {letters::VniLetters, letters::Cp1258Letters}) {
      for (std::size_t i = 0; i + 1 < table.size(); ++i) pieces.push_back(Text(table.substr(i, 2)));
    }
    for (const TextView table :
         {letters::UnicodeLetters, letters::UnicodeComposedLetters, letters::VniLetters,
          letters::Tcvn3Letters, letters::Cp1258Letters, letters::BaseLetters}) {
      for (const char16_t unit : table) pieces.push_back(Text(1, unit));
    }
    for (const char16_t mark :
         {u'\u0300', u'\u0301', u'\u0302', u'\u0303', u'\u0306', u'\u0309', u'\u031B', u'\u0323'}) {
      pieces.push_back(Text(1, mark));
    }
    for (const TextView ascii :
         {u" ", u"  ", u"a", u"e", u"o", u"y", u"A", u"Y", u"b", u"n", u"\r\n", u"\t", u"$a", u"%",
          u"Thu vien quoc gia Viet Nam, Ha Noi. "}) {  // a long plain run
      pieces.push_back(Text(ascii));
    }
    return pieces;
  }();
  std::uniform_int_distribution<int> count(0, maxPieces);
  std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() + kPieces.size() / 8);
  std::uniform_int_distribution<unsigned> anyUnit(0, 0xFFFF);
  Text out;
  for (int n = count(random); n > 0; --n) {
    const std::size_t i = pick(random);
    if (i < kPieces.size()) {
      out += kPieces[i];
    } else {
      out.push_back(static_cast<char16_t>(anyUnit(random)));  // arbitrary, surrogates included
    }
  }
  return out;
}

}  // namespace velmora::reference
