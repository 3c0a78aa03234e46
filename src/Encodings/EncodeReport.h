// What an encoder could not write exactly, counted by kind, for the loss
// report on standard error.
#pragma once

#include <cstddef>
#include <string>

namespace velmora::encodings {

struct EncodeOptions {
  // Leave out, and count, a character the target cannot hold instead of
  // stopping at it (iconv -c).
  bool leaveOutUnwritable = false;
};

struct EncodeReport {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // Where the first character the target cannot hold stands in the encoded
  // text (stopping there), when it was not left out.
  std::size_t unwritableAt = kNone;
  char32_t unwritable = 0;             // that character
  std::size_t leftOut = 0;             // characters left out
  char32_t firstLeftOut = 0;           // the first of them
  std::size_t lowercasedCapitals = 0;  // toned capitals written with lowercase codes

  void Add(const EncodeReport& block) {
    if (leftOut == 0) firstLeftOut = block.firstLeftOut;
    leftOut += block.leftOut;
    lowercasedCapitals += block.lowercasedCapitals;
  }
};

}  // namespace velmora::encodings
