// The text vocabulary shared by every rewrite, lookup and rebuild.
//
// Text is UTF-16: positions and lengths count code units, as the system
// counts them. Every search and comparison is exact and case-sensitive.
#pragma once

#include <string>
#include <string_view>

namespace velmora::text {

using Text = std::u16string;
using TextView = std::u16string_view;

inline constexpr TextView kCrlf = u"\r\n";
inline constexpr char16_t kCarriageReturn = u'\r';
inline constexpr char16_t kLineFeed = u'\n';
inline constexpr char16_t kTab = u'\t';
inline constexpr char16_t kSpace = u' ';

// Put in front of a copied text so that its first line, like every other,
// has a line break before its tag.
inline constexpr TextView kStartMarker = u"ZZZZ\r\n";
// The start marker's word alone, and as a rewrite that turns line breaks
// into field separators leaves it: both are taken out again.
inline constexpr TextView kStartMarkerWord = u"ZZZZ";
inline constexpr TextView kStartMarkerField = u"ZZZZ%";

// Working text: fields separated by "%", subfields introduced by "$".
inline constexpr char16_t kFieldSeparator = u'%';
inline constexpr char16_t kSubfieldDelimiter = u'$';

// The first position at or after `from` where `unit` stands, or npos.
std::size_t FindUnit(TextView s, char16_t unit, std::size_t from = 0);

// The first position at or after `from` where `find` stands, or npos: the
// same as s.find(find, from), faster on record text (it looks first for a
// character of `find` that is rarer than a space).
std::size_t FindText(TextView s, TextView find, std::size_t from = 0);

// Every occurrence of `find` in `s`, scanned left to right without overlap,
// becomes `replacement`; inserted text is not scanned again. `find` must not
// be empty (an empty `find` returns `s` unchanged).
Text Replace(TextView s, TextView find, TextView replacement);

// The same, appending the result to `out`. Returns false, appending nothing,
// when `find` does not occur, so that a caller can keep `s` as it is.
bool AppendReplaced(TextView s, TextView find, TextView replacement, Text& out);

// 1 -> "001", 245 -> "245": the number written as exactly three digits.
// Only defined for 0..999.
Text ThreeDigitForm(int c);

// Removes the space U+0020 (and nothing else) at both ends.
TextView TrimSpaces(TextView s);
TextView TrimLeadingSpaces(TextView s);

// Deletes every occurrence of `ch`.
Text RemoveAll(TextView s, char16_t ch);

// UTF-16 surrogates: a high one followed by a low one is one code point
// above U+FFFF; either alone is a lone surrogate, which passes through every
// conversion as the unit it is.
constexpr bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr bool IsSurrogate(char32_t codePoint) {
  return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

struct CodePoint {
  char32_t value;
  std::size_t units;  // 2 for a surrogate pair, else 1
};

// The code point that starts at `i` (< text.size()): a surrogate pair read
// as one, any other unit, a lone surrogate included, as itself.
constexpr CodePoint CodePointAt(TextView text, std::size_t i) {
  const char16_t unit = text[i];
  if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    return {0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00), 2};
  }
  return {unit, 1};
}

// Appends a code point (not a surrogate) as one unit or a surrogate pair.
inline void AppendCodePoint(char32_t codePoint, Text& out) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
  } else {
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
  }
}

inline bool IsAsciiDigit(char16_t ch) {
  return ch >= u'0' && ch <= u'9';
}

}  // namespace velmora::text

// Text is every unit's vocabulary: each names it without its unit.
namespace velmora {
using text::Text;
using text::TextView;
}  // namespace velmora
