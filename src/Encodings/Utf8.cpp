#include "Encodings/Utf8.h"

#include <cstdint>
#include <cstring>

namespace velmora::encodings {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Four UTF-16 units at once: all ASCII when none has a bit above 0x7F.
constexpr std::uint64_t kNonAsciiUnits = 0xFF80FF80FF80FF80ull;

std::uint64_t Load8(const void* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

}  // namespace

void AppendUtf8(char32_t cp, std::string& out) {
  char bytes[4];
  out.append(bytes, static_cast<std::size_t>(EncodeUtf8CodePoint(cp, bytes) - bytes));
}

bool AppendDecodedUtf8(std::string_view bytes, Text& out, Utf8Error* error) {
  const std::size_t start = out.size();
  out.resize(start + bytes.size());  // never more units than bytes
  char16_t* const begin = out.data() + start;
  char16_t* to = begin;
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    // ASCII runs eight bytes at a time.
    while (i + 8 <= n && EightAsciiBytes(in + i)) {
      for (std::size_t k = 0; k < 8; ++k) to[k] = in[i + k];
      to += 8;
      i += 8;
    }
    if (i == n) break;
    if (in[i] < 0x80) {
      *to++ = in[i++];
      continue;
    }
    const std::size_t length = DecodeUtf8Sequence(in, i, n, to);
    if (length == 0) {
      if (error != nullptr) error->byteOffset = i;
      out.resize(start);
      return false;
    }
    i += length;
  }
  out.resize(start + static_cast<std::size_t>(to - begin));
  return true;
}

std::optional<Text> DecodeUtf8(std::string_view bytes, Utf8Error* error) {
  const std::size_t skipped = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  Text out;
  if (!AppendDecodedUtf8(bytes.substr(skipped), out, error)) {
    if (error != nullptr) error->byteOffset += skipped;
    return std::nullopt;
  }
  return out;
}

void AppendEncodedUtf8(TextView text, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + 3 * text.size());  // a unit takes at most three bytes
  char* const begin = out.data() + start;
  char* to = begin;
  const char16_t* in = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    // ASCII runs four units at a time.
    while (i + 4 <= n && (Load8(in + i) & kNonAsciiUnits) == 0) {
      for (std::size_t k = 0; k < 4; ++k) to[k] = static_cast<char>(in[i + k]);
      to += 4;
      i += 4;
    }
    if (i == n) break;
    const text::CodePoint cp = text::CodePointAt(text, i);
    to = EncodeUtf8CodePoint(text::IsSurrogate(cp.value) ? 0xFFFD : cp.value, to);
    i += cp.units;
  }
  out.resize(start + static_cast<std::size_t>(to - begin));
}

std::string EncodeUtf8(TextView text) {
  std::string out;
  AppendEncodedUtf8(text, out);
  return out;
}

}  // namespace velmora::encodings
