#include "Encodings/TextInput.h"

#include <algorithm>

#include "Encodings/Utf8.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::encodings {
namespace {

bool AppendUtf16(std::string_view bytes, bool littleEndian, Text& out, std::size_t& badOffset) {
  const std::size_t start = out.size();
  const std::size_t units = bytes.size() / 2;
  out.resize(start + units);
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  char16_t* to = out.data() + start;
  for (std::size_t i = 0; i < units; ++i) {
    const unsigned first = in[2 * i], second = in[2 * i + 1];
    to[i] = static_cast<char16_t>(littleEndian ? first | second << 8 : first << 8 | second);
  }
  for (std::size_t i = 0; i < units; ++i) {
    if (text::IsHighSurrogate(to[i]) && i + 1 < units && text::IsLowSurrogate(to[i + 1])) {
      ++i;
    } else if (text::IsHighSurrogate(to[i]) || text::IsLowSurrogate(to[i])) {
      badOffset = 2 * i;
      out.resize(start);
      return false;
    }
  }
  if (bytes.size() % 2 != 0) {
    badOffset = bytes.size() - 1;
    out.resize(start);
    return false;
  }
  return true;
}

}  // namespace

std::string Describe(const TextInputError& error) {
  const char* form = error.form == TextForm::Utf8      ? "UTF-8"
                     : error.form == TextForm::Utf16Le ? "UTF-16LE"
                                                       : "UTF-16BE";
  return messages::Format(messages::Tr("invalid %1 at byte offset %2"), form, error.byteOffset);
}

TextForm SniffUnmarkedUtf16(std::string_view start) {
  // Enough units to tell, few enough to stay quick on any input.
  constexpr std::size_t kUnitsLookedAt = 2048, kFewestUnits = 4;
  const std::size_t units = std::min(start.size() / 2, kUnitsLookedAt);
  if (units < kFewestUnits) return TextForm::Utf8;
  std::size_t zeroSecond = 0, zeroFirst = 0;  // units whose second or first byte alone is zero
  for (std::size_t i = 0; i < units; ++i) {
    const bool first = start[2 * i] == '\0', second = start[2 * i + 1] == '\0';
    zeroSecond += second && !first;
    zeroFirst += first && !second;
  }
  // Vietnamese text is mostly ASCII letters, digits and spaces; its letters
  // with marks have a non-zero high byte (U+1EBF).
  if (2 * zeroSecond >= units && 16 * zeroFirst <= units) return TextForm::Utf16Le;
  if (2 * zeroFirst >= units && 16 * zeroSecond <= units) return TextForm::Utf16Be;
  return TextForm::Utf8;
}

std::string DescribeUnmarkedUtf16(TextForm form) {
  const char* name = form == TextForm::Utf16Be ? "UTF-16BE" : "UTF-16LE";
  return messages::Format(messages::Tr("looks like %1 without a byte order mark: save it as UTF-8 "
                                       "or with a byte order mark (iconv -f %1 -t UTF-8 converts "
                                       "it)"),
                          name);
}

TextForm SniffTextForm(std::string_view start, std::size_t& byteOrderMarkLength) {
  if (start.starts_with("\xFF\xFE")) {
    byteOrderMarkLength = 2;
    return TextForm::Utf16Le;
  }
  if (start.starts_with("\xFE\xFF")) {
    byteOrderMarkLength = 2;
    return TextForm::Utf16Be;
  }
  byteOrderMarkLength = start.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  return TextForm::Utf8;
}

bool AppendDecodedText(std::string_view bytes, TextForm form, Text& out, TextInputError* error,
                       std::size_t offset) {
  std::size_t badOffset = 0;
  bool ok = true;
  if (form == TextForm::Utf8) {
    Utf8Error utf8Error{};
    ok = AppendDecodedUtf8(bytes, out, &utf8Error);
    badOffset = utf8Error.byteOffset;
  } else {
    ok = AppendUtf16(bytes, form == TextForm::Utf16Le, out, badOffset);
  }
  if (!ok && error != nullptr) *error = {form, offset + badOffset};
  return ok;
}

std::optional<Text> DecodeTextInput(std::string_view bytes, TextInputError* error) {
  std::size_t byteOrderMark = 0;
  const TextForm form = SniffTextForm(bytes, byteOrderMark);
  Text text;
  if (!AppendDecodedText(bytes.substr(byteOrderMark), form, text, error, byteOrderMark)) {
    return std::nullopt;
  }
  return text;
}

}  // namespace velmora::encodings
