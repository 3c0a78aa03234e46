#include "cli/CharsetCommand.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "ModMain/ConvertCharset.h"
#include "ModMain/LineBreaks.h"
#include "Encodings/Utf8.h"

namespace velmora::cli {
namespace {

struct Representation {
  std::string_view name;
  std::int32_t code;
  std::string_view description;
};
constexpr std::array<Representation, 5> kRepresentations = {{
    {"unicode", CharsetUnicode,
     "Unicode text in UTF-8; read also with letters written as base letter + combining tone "
     "mark, written precomposed"},
    {"vni", CharsetVni, "VNI Windows, the 8-bit files of the VNI fonts"},
    {"tcvn3", CharsetTcvn3, "TCVN3 (VN3 of TCVN 5712:1993), the 8-bit files of the .Vn fonts"},
    {"cp1258", CharsetCp1258, "Windows-1258, letters written as base letter + tone mark"},
    {"nomarks", CharsetNoMarks, "letters without their diacritics (to write only)"},
}};

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The character that starts at `i`, a surrogate pair read as one.
char32_t CharacterAt(TextView text, std::size_t i) {
  if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    return 0x10000 + ((char32_t{text[i]} - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  return text[i];
}

// Characters (not code units) in `text`, for columns.
std::size_t CountCharacters(TextView text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(IsLowSurrogate(text[i]) && i > 0 && IsHighSurrogate(text[i - 1]))) ++count;
  }
  return count;
}

// Where the unit `resultIndex` of the converted text came from in `copied`
// (line breaks as CRLF in both): line and column, from 1. Line breaks pass
// through the conversion one for one, so the line is the same; within it the
// line is converted again piece by piece until the piece that wrote the unit.
std::string PlaceInInput(TextView copied, TextView converted, std::size_t resultIndex,
                         std::int32_t fromCode, std::int32_t toCode) {
  std::size_t line = 1, resultLineStart = 0, inputLineStart = 0;
  for (std::size_t i = converted.find(kCrlf); i < resultIndex; i = converted.find(kCrlf, i)) {
    ++line;
    i += kCrlf.size();
    resultLineStart = i;
  }
  for (std::size_t n = 1; n < line; ++n) inputLineStart = copied.find(kCrlf, inputLineStart) + 2;
  std::size_t pos = inputLineStart, written = resultLineStart;
  while (pos < copied.size()) {
    const std::size_t length = CharsetPieceLength(copied, pos, fromCode);
    written += ConvertCharset(copied.substr(pos, length), fromCode, toCode).size();
    if (written > resultIndex) break;
    pos += length;
  }
  const std::size_t column =
      CountCharacters(copied.substr(inputLineStart, pos - inputLineStart)) + 1;
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

std::optional<std::int32_t> ParseRepresentation(std::string_view word) {
  for (const Representation& representation : kRepresentations) {
    if (EqualIgnoringAsciiCase(word, representation.name) ||
        word == std::to_string(representation.code)) {
      return representation.code;
    }
  }
  return std::nullopt;
}

std::vector<HelpEntry> RepresentationHelp() {
  std::vector<HelpEntry> entries;
  for (const Representation& representation : kRepresentations) {
    entries.push_back({std::string(representation.name) + ", " +
                           std::to_string(representation.code),
                       std::string(representation.description)});
  }
  return entries;
}

std::string_view RepresentationName(std::int32_t code) {
  for (const Representation& representation : kRepresentations) {
    if (representation.code == code) return representation.name;
  }
  return "?";
}

ByteForm FileForm(std::int32_t code) {
  switch (code) {
    case CharsetVni:
    case CharsetTcvn3:
      return ByteForm::CodeUnits;
    case CharsetCp1258:
      return ByteForm::Windows1250;
    default:
      return ByteForm::Utf8;
  }
}

bool RunCharset(std::string_view input, std::int32_t fromCode, std::int32_t toCode,
                std::string& output, std::string& error) {
  Text decoded;
  if (FileForm(fromCode) == ByteForm::Utf8) {
    Utf8Error utf8Error{};
    std::optional<Text> text = DecodeUtf8(input, &utf8Error);
    if (!text) {
      error = "invalid UTF-8 at byte offset " + std::to_string(utf8Error.byteOffset);
      return false;
    }
    decoded = std::move(*text);
  } else {
    decoded = DecodeEightBit(input, FileForm(fromCode));
  }
  const Text copied = NormaliseLineBreaks(decoded);
  const Text converted = ConvertCharset(copied, fromCode, toCode);
  const Text result = Replace(converted, kCrlf, u"\n");  // the platform's line breaks
  if (FileForm(toCode) == ByteForm::Utf8) {
    output = EncodeUtf8(result);
    return true;
  }
  std::size_t unwritable = 0;
  if (EncodeEightBit(result, FileForm(toCode), output, unwritable)) return true;
  output.clear();
  // `result` and `converted` differ only in their line breaks.
  std::size_t convertedIndex = unwritable;
  for (std::size_t i = 0; i < unwritable; ++i) convertedIndex += result[i] == u'\n' ? 1 : 0;
  char character[16];
  std::snprintf(character, sizeof character, "U+%04X",
                static_cast<unsigned>(CharacterAt(result, unwritable)));
  error = PlaceInInput(copied, converted, convertedIndex, fromCode, toCode) + ": " + character +
          " cannot be written in " + std::string(RepresentationName(toCode)) + "; nothing written";
  return false;
}

ByteRun PrepareCharset(std::span<const std::string_view> operands, std::string& error) {
  std::int32_t codes[2] = {};
  for (std::size_t i = 0; i < 2; ++i) {
    const std::optional<std::int32_t> code =
        i < operands.size() ? ParseRepresentation(operands[i]) : std::nullopt;
    if (!code) {
      error = i < operands.size() ? "unknown representation '" + std::string(operands[i]) + "'"
                                  : std::string("charset needs FROM and TO");
      error += "; use unicode, vni, tcvn3, cp1258, nomarks or 1-5";
      return {};
    }
    codes[i] = *code;
  }
  return [from = codes[0], to = codes[1]](std::string_view input, std::string& output,
                                          std::string& message) {
    return RunCharset(input, from, to, output, message);
  };
}

}  // namespace velmora::cli
