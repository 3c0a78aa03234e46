#include "support/TextPrinting.h"

#include <algorithm>

namespace velmora::test {

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
