#include "ModMain/LineBreaks.h"

namespace velmora {

Text NormaliseLineBreaks(TextView s) {
  Text out;
  out.reserve(s.size() + s.size() / 32);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t ch = s[i];
    if (ch == kCarriageReturn) {
      out.append(kCrlf);
      if (i + 1 < s.size() && s[i + 1] == kLineFeed) ++i;
    } else if (ch == kLineFeed) {
      out.append(kCrlf);
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

}  // namespace velmora
