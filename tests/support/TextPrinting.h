// Failures that point at the code unit: texts are shown as «readable ASCII»
// with every other unit as <U+XXXX>, and the first difference is named.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ModMain/Text.h"

namespace velmora::test {

std::string Readable(TextView text);

// "hello" -> u"hello", for tables of cases written in ASCII.
Text U16(std::string_view ascii);

::testing::AssertionResult TextsEqual(const char* actualExpr, const char* expectedExpr,
                                      TextView actual, TextView expected);

}  // namespace velmora::test

#define EXPECT_TEXT_EQ(actual, expected) \
  EXPECT_PRED_FORMAT2(::velmora::test::TextsEqual, actual, expected)
#define ASSERT_TEXT_EQ(actual, expected) \
  ASSERT_PRED_FORMAT2(::velmora::test::TextsEqual, actual, expected)
