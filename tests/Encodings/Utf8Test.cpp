#include <gtest/gtest.h>

#include "Encodings/Utf8.h"
#include "support/TextPrinting.h"

namespace velmora::cli {
namespace {

TEST(Utf8, DecodesAndEncodesEveryPlane) {
  const std::string bytes = "a\xC3\xA0\xE1\xBB\x87\xF0\x9F\x93\x9A";  // a à ệ 📚
  const std::optional<Text> text = encodings::DecodeUtf8(bytes, nullptr);
  ASSERT_TRUE(text);
  EXPECT_TEXT_EQ(*text, u"a\u00E0\u1EC7\U0001F4DA");
  EXPECT_EQ(encodings::EncodeUtf8(*text), bytes);
  EXPECT_TEXT_EQ(*encodings::DecodeUtf8("\xEF\xBB\xBFx", nullptr), u"x");  // the BOM is dropped
  EXPECT_TEXT_EQ(*encodings::DecodeUtf8("x\xEF\xBB\xBF", nullptr),
                 u"x\uFEFF");                                     // only a leading one
  EXPECT_EQ(encodings::EncodeUtf8(u"a\xD800"), "a\xEF\xBF\xBD");  // a lone surrogate
}

TEST(Utf8, RejectsInvalidSequencesAtTheirOffset) {
  const struct {
    std::string_view bytes;
    std::size_t offset;
  } cases[] = {
      {"ab\x80", 2},            // stray continuation byte
      {"\xC0\xAF", 0},          // overlong
      {"\xE0\x80\xAF", 0},      // overlong
      {"x\xED\xA0\x80", 1},     // encoded surrogate
      {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
      {"abc\xE1\xBB", 3},       // truncated
      {"\xE1\x41\x87", 0},      // bad continuation
      {"\xFF", 0},
  };
  for (const auto& c : cases) {
    encodings::Utf8Error error{};
    EXPECT_FALSE(encodings::DecodeUtf8(c.bytes, &error));
    EXPECT_EQ(error.byteOffset, c.offset);
  }
}

}  // namespace
}  // namespace velmora::cli
