// Letter case in the ASCII names of catalogues: locale names ("vi_VN") and
// header fields ("Content-Type"), compared whatever their case.
#pragma once

#include <algorithm>
#include <string_view>

namespace velmora::messages {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool SameAsciiLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

}  // namespace velmora::messages
