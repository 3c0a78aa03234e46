// Expected program output with the line breaks the programs write on the
// platform the tests run on (CRLF on Windows, LF elsewhere).
#pragma once

#include <string>
#include <string_view>

#include "ModMain/Text/LineBreaks.h"

namespace velmora::test {

// «a\nb\n» with every LF written as the platform's line break. Bytes are
// kept as they are, so 8-bit text works too.
inline std::string PlatformLines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c != '\n') {
      out += c;
      continue;
    }
    for (const char16_t unit : text::kPlatformLineBreak) out += static_cast<char>(unit);
  }
  return out;
}

}  // namespace velmora::test
