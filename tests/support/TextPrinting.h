// Failures that point at the code unit: texts are shown as «readable ASCII»
// with every other unit as <U+XXXX> (reference::Readable, the fuzz
// harnesses' printing too), and the first difference is named.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "ModMain/Text/Text.h"
#include "reference/ReadableText.h"

namespace velmora::test {

using reference::Readable;

// "hello" -> u"hello", for tables of cases written in ASCII.
Text U16(std::string_view ascii);

::testing::AssertionResult TextsEqual(const char* actualExpr, const char* expectedExpr,
                                      TextView actual, TextView expected);

// An input and the text a conversion must make of it.
struct ConversionCase {
  TextView input, expected;
};

// Expects `convert` to make each case's expected text of its input.
template <typename Convert>
void ExpectConversions(const Convert& convert, std::initializer_list<ConversionCase> cases) {
  for (const ConversionCase& c : cases) {
    EXPECT_PRED_FORMAT2(TextsEqual, convert(c.input), c.expected) << Readable(c.input);
  }
}

}  // namespace velmora::test

#define EXPECT_TEXT_EQ(actual, expected) \
  EXPECT_PRED_FORMAT2(::velmora::test::TextsEqual, actual, expected)
#define ASSERT_TEXT_EQ(actual, expected) \
  ASSERT_PRED_FORMAT2(::velmora::test::TextsEqual, actual, expected)
