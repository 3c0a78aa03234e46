#include "reference/ReadableText.h"

#include <cstdio>

namespace velmora::reference {

std::string Readable(TextView text, std::size_t limit) {
  std::string out = "«";
  for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r') {
      out += "<CR>";
    } else if (unit == u'\n') {
      out += "<LF>";
    } else if (unit == u'\t') {
      out += "<TAB>";
    } else if (unit >= 0x20 && unit < 0x7F) {
      out.push_back(static_cast<char>(unit));
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "<U+%04X>", static_cast<unsigned>(unit));
      out += buffer;
    }
  }
  if (text.size() > limit) out += "... (" + std::to_string(text.size()) + " units)";
  return out + "»";
}

}  // namespace velmora::reference
