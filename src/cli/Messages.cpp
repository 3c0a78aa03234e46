#include "cli/Messages.h"

#include <cstdio>
#include <vector>

namespace velmora::cli {

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> values) {
  const std::vector<std::string_view> numbered(values);
  std::string text;
  text.reserve(pattern.size() + 64);
  for (std::size_t at = 0; at < pattern.size();) {
    const std::size_t open = pattern.find('{', at);
    if (open == std::string_view::npos) {
      text.append(pattern.substr(at));
      break;
    }
    text.append(pattern.substr(at, open - at));
    std::size_t close = open + 1, number = 0;
    while (close < pattern.size() && pattern[close] >= '0' && pattern[close] <= '9' &&
           number < 1000) {
      number = number * 10 + static_cast<std::size_t>(pattern[close] - '0');
      ++close;
    }
    if (close < pattern.size() && pattern[close] == '}' && close > open + 1 && number >= 1 &&
        number <= numbered.size()) {
      text.append(numbered[number - 1]);
      at = close + 1;
    } else {
      text.push_back('{');
      at = open + 1;
    }
  }
  return text;
}

void PrintError(std::string_view message) {
  std::fprintf(stderr, "velmora-convert: %.*s\n", static_cast<int>(message.size()), message.data());
}

std::string Warning(std::string_view where, std::string_view what) {
  return Format("warning: {1}: {2}", {where, what});
}

}  // namespace velmora::cli
