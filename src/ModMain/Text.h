// The text vocabulary shared by every rewrite, lookup and rebuild.
//
// Text is UTF-16: positions and lengths count code units, as the system
// counts them. Every search and comparison is exact and case-sensitive.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

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

inline bool IsAsciiDigit(char16_t ch) {
  return ch >= u'0' && ch <= u'9';
}

}  // namespace velmora
