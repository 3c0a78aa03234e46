#include "Messages/Format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::messages {
namespace {

struct FormatCase {
  const char* pattern;
  std::vector<std::string_view> arguments;
  const char* expected;
};

TEST(Format, PutsEachArgumentWhereThePatternNamesIt) {
  const FormatCase cases[] = {
      {"%1: no %2 record found", {"a.txt", "Libol"}, "a.txt: no Libol record found"},
      {"không có bản ghi %2 trong %1", {"a.txt", "Libol"}, "không có bản ghi Libol trong a.txt"},
      {"%1 %1", {"x"}, "x x"},
      {"no placeholder", {"unused"}, "no placeholder"},
      {"%2 only", {"one", "two", "three"}, "two only"},
      // A placeholder without its argument stays as written.
      {"%1 and %3", {"one"}, "one and %3"},
      {"%1", {}, "%1"},
      {"%0 and %", {"one"}, "%0 and %"},
      {"100%% of %1", {"them"}, "100% of them"},
      {"%%1 is %1", {"x"}, "%1 is x"},
      {"%", {"x"}, "%"},
      {"%n records", {"x"}, "%n records"},
      // Two digits, as msgfmt reads them: %10 is the tenth.
      {"%10|%1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "ten|1"},
      {"%12", {"one"}, "%12"},
      // An argument is put in as it is, never read for placeholders.
      {"%1 %2", {"%2", "b"}, "%2 b"},
      {"", {"x"}, ""},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatArguments(c.pattern, c.arguments), c.expected) << c.pattern;
  }
}

TEST(Format, TakesTextAndNumbers) {
  const std::string file = "đầu.txt";
  EXPECT_EQ(Format("%2 of %1 in %3", 12u, -3, file), "-3 of 12 in đầu.txt");
  EXPECT_EQ(Format("%1 %2", "literal", std::string_view("view")), "literal view");
  EXPECT_EQ(Format("%1", std::size_t{18446744073709551615u}), "18446744073709551615");
}

}  // namespace
}  // namespace velmora::messages
