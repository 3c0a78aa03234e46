#include "Messages/Format.h"

namespace velmora::messages {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatArguments(std::string_view pattern, std::span<const std::string_view> arguments) {
  std::string out;
  out.reserve(pattern.size());
  std::size_t i = 0;
  while (i < pattern.size()) {
    const std::size_t percent = pattern.find('%', i);
    out.append(pattern.substr(i, percent - i));
    if (percent == std::string_view::npos) break;
    i = percent + 1;
    if (i < pattern.size() && pattern[i] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    // One or two digits, as msgfmt's check of the translations reads them.
    std::size_t number = 0;
    std::size_t end = i;
    while (end < pattern.size() && end < i + 2 && IsDigit(pattern[end])) {
      number = number * 10 + static_cast<std::size_t>(pattern[end] - '0');
      ++end;
    }
    if (end > i && number >= 1 && number <= arguments.size()) {
      out.append(arguments[number - 1]);
    } else {
      out.append(pattern.substr(percent, end - percent));
    }
    i = end;
  }
  return out;
}

}  // namespace velmora::messages
