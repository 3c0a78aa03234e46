// UTF-8 at the command line's edge; the core only sees UTF-16.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ModMain/Text.h"

namespace velmora {

struct Utf8Error {
  std::size_t byteOffset;  // of the first byte that does not decode
};

// Strict decoding: overlong forms, encoded surrogates, code points above
// U+10FFFF and truncated sequences are errors. A leading byte order mark is
// dropped.
std::optional<Text> DecodeUtf8(std::string_view bytes, Utf8Error* error);

// Appends one code point (not a surrogate) as UTF-8.
void AppendUtf8(char32_t codePoint, std::string& out);

// Appends UTF-16 as UTF-8; a lone surrogate is written as U+FFFD.
void AppendEncodedUtf8(TextView text, std::string& out);

// Encodes UTF-16 as UTF-8. A lone surrogate, which no valid input produces,
// is written as U+FFFD.
std::string EncodeUtf8(TextView text);

}  // namespace velmora
