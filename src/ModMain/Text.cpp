#include "Text.h"

namespace velmora {

bool AppendReplaced(TextView s, TextView find, TextView replacement, Text& out) {
  if (find.empty()) return false;
  std::size_t at = s.find(find);
  if (at == TextView::npos) return false;
  std::size_t from = 0;
  while (at != TextView::npos) {
    out.append(s.substr(from, at - from));
    out.append(replacement);
    from = at + find.size();
    at = s.find(find, from);
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
