#include "ModMain/Text/LineBreaks.h"

namespace velmora::text {

void AppendNormalisedLineBreaks(TextView s, Text& out) {
  std::size_t copied = 0;  // s before this is in `out`
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t ch = s[i];
    if (ch != kCarriageReturn && ch != kLineFeed) continue;
    if (ch == kCarriageReturn && i + 1 < s.size() && s[i + 1] == kLineFeed) {
      ++i;  // a CRLF stays
      continue;
    }
    out.append(s.substr(copied, i - copied)).append(kCrlf);
    copied = i + 1;
  }
  out.append(s.substr(copied));
}

Text NormaliseLineBreaks(TextView s) {
  Text out;
  out.reserve(s.size() + s.size() / 32);
  AppendNormalisedLineBreaks(s, out);
  return out;
}

}  // namespace velmora::text
