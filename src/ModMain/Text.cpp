#include "ModMain/Text.h"

#include <bit>
#include <cstring>

namespace velmora {

std::size_t FindUnit(TextView s, char16_t unit, std::size_t from) {
  if constexpr (std::endian::native == std::endian::little) {
    // memchr finds the unit's low byte many bytes at a time; a hit counts
    // where it is the low byte of a unit (even offset) and the high byte matches.
    const auto* bytes = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t end = s.size() * 2;
    const auto low = static_cast<unsigned char>(unit & 0xFF);
    const auto high = static_cast<unsigned char>(unit >> 8);
    for (std::size_t at = from * 2; at < end;) {
      const void* hit = std::memchr(bytes + at, low, end - at);
      if (hit == nullptr) return TextView::npos;
      const auto offset = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - bytes);
      if (offset % 2 == 0 && bytes[offset + 1] == high) return offset / 2;
      at = offset + 1;
    }
    return TextView::npos;
  } else {
    return s.find(unit, from);
  }
}

std::size_t FindText(TextView s, TextView find, std::size_t from) {
  if (find.empty()) return from <= s.size() ? from : TextView::npos;
  if (find.size() > s.size()) return TextView::npos;
  // Anchor on the first unit of `find` that is not a space: spaces are the
  // commonest character of record text.
  std::size_t k = find.find_first_not_of(kSpace);
  if (k == TextView::npos) k = 0;
  const std::size_t last = s.size() - find.size();  // the last possible start
  for (std::size_t p = FindUnit(s, find[k], from + k); p != TextView::npos && p - k <= last;
       p = FindUnit(s, find[k], p + 1)) {
    if (s.compare(p - k, find.size(), find) == 0) return p - k;
  }
  return TextView::npos;
}

bool AppendReplaced(TextView s, TextView find, TextView replacement, Text& out) {
  if (find.empty()) return false;
  std::size_t at = FindText(s, find);
  if (at == TextView::npos) return false;
  std::size_t from = 0;
  while (at != TextView::npos) {
    out.append(s.substr(from, at - from));
    out.append(replacement);
    from = at + find.size();
    at = FindText(s, find, from);
  }
  out.append(s.substr(from));
  return true;
}

Text Replace(TextView s, TextView find, TextView replacement) {
  Text out;
  if (!AppendReplaced(s, find, replacement, out)) return Text(s);
  return out;
}

Text ThreeDigitForm(int c) {
  return Text{static_cast<char16_t>(u'0' + c / 100 % 10), static_cast<char16_t>(u'0' + c / 10 % 10),
              static_cast<char16_t>(u'0' + c % 10)};
}

TextView TrimLeadingSpaces(TextView s) {
  const std::size_t first = s.find_first_not_of(kSpace);
  return first == TextView::npos ? TextView{} : s.substr(first);
}

TextView TrimSpaces(TextView s) {
  s = TrimLeadingSpaces(s);
  const std::size_t last = s.find_last_not_of(kSpace);
  return last == TextView::npos ? TextView{} : s.substr(0, last + 1);
}

Text RemoveAll(TextView s, char16_t ch) {
  Text out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c != ch) out.push_back(c);
  }
  return out;
}

}  // namespace velmora
