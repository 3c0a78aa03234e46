#include "MarcExchange/MarcChars.h"

#include "Encodings/Utf8.h"

namespace velmora::marc_exchange {

std::size_t Utf8Length(char32_t cp) {
  if (cp < 0x80) return 1;
  if (cp < 0x800) return 2;
  if (cp < 0x10000) return 3;
  return 4;
}

void AppendMarcUtf8(TextView text, std::string& out) {
  ForEachCodePoint(text,
                   [&out](char32_t cp) { encodings::AppendUtf8(MarcSafeCodePoint(cp), out); });
}

std::size_t MarcUtf8Length(TextView text) {
  std::size_t bytes = 0;
  ForEachCodePoint(text, [&bytes](char32_t cp) { bytes += Utf8Length(MarcSafeCodePoint(cp)); });
  return bytes;
}

void AppendZeroPadded(std::size_t n, int digits, std::string& out) {
  const std::string text = std::to_string(n);
  if (text.size() < static_cast<std::size_t>(digits)) {
    out.append(static_cast<std::size_t>(digits) - text.size(), '0');
  }
  out += text;
}

void AppendAscii(TextView text, std::string& out) {
  for (char16_t unit : text) out.push_back(static_cast<char>(unit));
}

}  // namespace velmora::marc_exchange
