#include "support/TextPrinting.h"

#include <algorithm>
#include <cstdio>

namespace velmora::test {

std::string Readable(TextView text) {
  std::string out = "«";
  for (char16_t unit : text) {
    if (unit == u'\r') {
      out += "<CR>";
    } else if (unit == u'\n') {
      out += "<LF>";
    } else if (unit == u'\t') {
      out += "<TAB>";
    } else if (unit >= 0x20 && unit < 0x7F) {
      out.push_back(static_cast<char>(unit));
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "<U+%04X>", static_cast<unsigned>(unit));
      out += buffer;
    }
  }
  return out + "»";
}

Text U16(std::string_view ascii) {
  return Text(ascii.begin(), ascii.end());
}

::testing::AssertionResult TextsEqual(const char* actualExpr, const char* expectedExpr,
                                      TextView actual, TextView expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const std::size_t at = static_cast<std::size_t>(a - actual.begin());
  return ::testing::AssertionFailure()
         << actualExpr << " differs from " << expectedExpr << " at code unit " << at + 1
         << "\n  actual:   " << Readable(actual) << "\n  expected: " << Readable(expected)
         << "\n  from there, actual " << Readable(actual.substr(at, 12)) << " expected "
         << Readable(expected.substr(std::min(at, expected.size()), 12));
}

}  // namespace velmora::test
