// UTF-8 at the edges (files, standard streams, MARC output); the core only
// sees UTF-16. ASCII runs are converted a machine word at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::encodings {

struct Utf8Error {
  std::size_t byteOffset;  // of the first byte that does not decode
};

// Strict decoding: overlong forms, encoded surrogates, code points above
// U+10FFFF and truncated sequences are errors. A leading byte order mark is
// dropped.
std::optional<Text> DecodeUtf8(std::string_view bytes, Utf8Error* error);

// The same without the byte order mark test, appending to `out`: for the
// blocks of a stream. On failure `out` is left as it was.
bool AppendDecodedUtf8(std::string_view bytes, Text& out, Utf8Error* error);

// Appends one code point (not a surrogate) as UTF-8.
void AppendUtf8(char32_t codePoint, std::string& out);

// Appends UTF-16 as UTF-8; a lone surrogate is written as U+FFFD.
void AppendEncodedUtf8(TextView text, std::string& out);

// Encodes UTF-16 as UTF-8. A lone surrogate, which no valid input produces,
// is written as U+FFFD.
std::string EncodeUtf8(TextView text);

// Whether the eight bytes at `at` are all ASCII: a machine word at a time.
inline bool EightAsciiBytes(const void* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return (word & 0x8080808080808080ull) == 0;
}

// Decodes the sequence at in[i] (not ASCII) into `to` (one unit, or two for
// a surrogate pair; `to` moves past them); returns its length, or 0 when it
// is not well-formed (overlong, a surrogate, above U+10FFFF, truncated).
inline std::size_t DecodeUtf8Sequence(const unsigned char* in, std::size_t i, std::size_t n,
                                      char16_t*& to) {
  const unsigned char lead = in[i];
  std::size_t length = 0;
  char32_t cp = 0, minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > n) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char next = in[i + k];
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || text::IsSurrogate(cp)) return 0;
  if (cp < 0x10000) {
    *to++ = static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    *to++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *to++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
  return length;
}

// Writes one code point (not a surrogate) at `to`; returns the end.
inline char* EncodeUtf8CodePoint(char32_t cp, char* to) {
  if (cp < 0x80) {
    *to++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *to++ = static_cast<char>(0xC0 | (cp >> 6));
    *to++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *to++ = static_cast<char>(0xE0 | (cp >> 12));
    *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *to++ = static_cast<char>(0xF0 | (cp >> 18));
    *to++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return to;
}

}  // namespace velmora::encodings
