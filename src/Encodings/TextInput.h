// The one way every command reads input text: UTF-8, with or without a byte
// order mark, or UTF-16 (little or big endian) with its byte order mark, as
// Notepad saves "Unicode" text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::encodings {

enum class TextForm { Utf8, Utf16Le, Utf16Be };

struct TextInputError {
  TextForm form;
  std::size_t byteOffset;  // of the first byte that does not decode
};

// "invalid UTF-8 at byte offset 12"
std::string Describe(const TextInputError& error);

// The form of a text whose first bytes are `start` (two are enough), and the
// length of its byte order mark.
TextForm SniffTextForm(std::string_view start, std::size_t& byteOrderMarkLength);

// The form of a text that looks like UTF-16 saved without a byte order mark
// (which UTF-8 reading takes for text with a NUL after every letter), told
// from its first bytes: most units hold an ASCII character, whose other byte
// is zero, and almost none the other way round. Utf8 for any other text.
TextForm SniffUnmarkedUtf16(std::string_view start);

// «looks like UTF-16LE without a byte order mark: save it as UTF-8 or with
// a byte order mark (iconv -f UTF-16LE -t UTF-8 converts it)».
std::string DescribeUnmarkedUtf16(TextForm form);

// Appends the text of `bytes`, which hold whole characters in `form` and no
// byte order mark. On failure `out` is left as it was and `error` (if given)
// says where; `offset` is added to the offsets it reports.
bool AppendDecodedText(std::string_view bytes, TextForm form, Text& out,
                       TextInputError* error = nullptr, std::size_t offset = 0);

// A whole input: its form sniffed, its byte order mark dropped. Strict: an
// ill-formed sequence, a lone surrogate or half a UTF-16 unit is an error.
std::optional<Text> DecodeTextInput(std::string_view bytes, TextInputError* error = nullptr);

}  // namespace velmora::encodings
