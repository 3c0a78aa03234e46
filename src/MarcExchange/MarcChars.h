// Code points and UTF-8 for the exchange writers: MARC data is UTF-8 and
// ISO 2709 counts its lengths in bytes.
#pragma once

#include <cstddef>
#include <string>

#include "MarcExchange/MarcRecord.h"
#include "ModMain/Text/Text.h"

namespace velmora::marc_exchange {

// Calls visit(cp) for each code point of `text`; a surrogate pair is one code
// point, a lone surrogate is passed as its own value (which MarcSafeCodePoint
// replaces).
template <class Visit>
void ForEachCodePoint(TextView text, Visit&& visit) {
  for (std::size_t i = 0; i < text.size();) {
    const text::CodePoint codePoint = text::CodePointAt(text, i);
    visit(codePoint.value);
    i += codePoint.units;
  }
}

std::size_t Utf8Length(char32_t cp);

// `text` as UTF-8 after MarcSafeCodePoint, and its length in bytes.
void AppendMarcUtf8(TextView text, std::string& out);
std::size_t MarcUtf8Length(TextView text);

// `n` in exactly `digits` decimal digits with leading zeros; the caller
// makes sure it fits (ISO 2709 lengths and positions).
void AppendZeroPadded(std::size_t n, int digits, std::string& out);

// Text that the record checks made ASCII (tags, indicators, codes).
void AppendAscii(TextView text, std::string& out);

}  // namespace velmora::marc_exchange
