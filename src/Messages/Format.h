// A message with its parts put in: "%1", "%2" … "%99" stand for the first,
// second … argument, in whatever order the (translated) text names them, so
// that a translation may put them where its language wants them:
//
//   Format(Tr("%1: no %2 record found"), file, source)
//
// "%%" is one "%". A placeholder without its argument stays as written, an
// argument without a placeholder is left out: a translation that drops one
// shows less, never garbage. What the arguments hold is put in as it is,
// never read for placeholders itself.
#pragma once

#include <array>
#include <concepts>
#include <span>
#include <string>
#include <string_view>

namespace velmora::messages {

std::string FormatArguments(std::string_view pattern, std::span<const std::string_view> arguments);

namespace format_detail {

inline std::string_view Argument(std::string_view text, std::string&) {
  return text;
}

// Numbers in decimal; a char or a bool is no number to show, so neither is
// taken.
template <std::integral Number>
requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) std::string_view
    Argument(Number number, std::string& storage) {
  storage = std::to_string(number);
  return storage;
}

}  // namespace format_detail

template <class... Arguments>
std::string Format(std::string_view pattern, const Arguments&... arguments) {
  if constexpr (sizeof...(Arguments) == 0) {
    return FormatArguments(pattern, {});
  } else {
    std::array<std::string, sizeof...(Arguments)> storage;
    std::size_t i = 0;
    // A braced list is evaluated left to right: argument i uses storage[i].
    const std::array<std::string_view, sizeof...(Arguments)> views{
        format_detail::Argument(arguments, storage[i++])...};
    return FormatArguments(pattern, views);
  }
}

}  // namespace velmora::messages
