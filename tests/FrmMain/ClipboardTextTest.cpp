// The clipboard transfer over a scripted clipboard: the three messages, the
// cut at the first NUL, line breaks, and the check that the clipboard then
// holds what was written.
#include <gtest/gtest.h>

#include "FrmMain/ClipboardText.h"
#include "support/TextPrinting.h"
#include "support/WindowFakes.h"

namespace velmora::frmmain::test {
namespace {

using velmora::test::Readable;
using Messages = std::vector<Text>;

TEST(GetClipboardText, GivesTheTextOrTellsWhyThereIsNone) {
  const struct {
    const char* what;
    std::optional<Text> content;
    bool failReads;
    std::optional<Text> expected;
    Messages messages;
  } cases[] = {
      {"only an image", std::nullopt, false, std::nullopt, {Text(kClipboardTextNotAvailable)}},
      {"announced, not obtainable", u"abc", true, std::nullopt, {Text(kFailedToGetClipboardText)}},
      {"empty text", u"", false, u"", {}},
      {"up to the first NUL", Text(u"abc\0def", 7), false, u"abc", {}},
      {"a NUL first", Text(u"\0abc", 4), false, u"", {}},
      {"every line break as CRLF", u"a\nb\rc\r\nd\n\re", false, u"a\r\nb\r\nc\r\nd\r\n\r\ne", {}},
      // «Đường» with U+0111 đ, U+01B0 ư, U+1EDD ờ; tabs stay.
      {"Vietnamese and tabs",
       u"245\t10\u0110\u01B0\u1EDDng",
       false,
       u"245\t10\u0110\u01B0\u1EDDng",
       {}},
  };
  for (const auto& c : cases) {
    FakeClipboard clipboard;
    clipboard.content = c.content;
    clipboard.failReads = c.failReads;
    FakeMessageBox messages;
    const std::optional<Text> text = GetClipboardText(clipboard, messages);
    ASSERT_EQ(text.has_value(), c.expected.has_value()) << c.what;
    if (text) {
      EXPECT_TEXT_EQ(*text, *c.expected) << c.what;
    }
    EXPECT_EQ(messages.shown, c.messages) << c.what;
    EXPECT_EQ(clipboard.content, c.content) << c.what << ": reading changes nothing";
  }
}

TEST(SetClipboardText, WritesUpToTheFirstNulAndChecksTheClipboardOffersIt) {
  const struct {
    const char* what;
    Text text;
    Text written;
  } cases[] = {
      {"plain", u"245=00$aT", u"245=00$aT"},
      {"empty", u"", u""},
      {"NUL inside", Text(u"abc\0def", 7), u"abc"},
      {"line breaks and Vietnamese", u"=245  00$aVi\u1EC7t\r\n=100  1#$aA",
       u"=245  00$aVi\u1EC7t\r\n=100  1#$aA"},  // ệ U+1EC7
  };
  for (const auto& c : cases) {
    FakeClipboard clipboard(u"older text");
    FakeMessageBox messages;
    SetClipboardText(clipboard, messages, c.text);
    ASSERT_EQ(clipboard.writes.size(), 1u) << c.what;
    EXPECT_TEXT_EQ(clipboard.writes[0], c.written) << c.what;
    EXPECT_EQ(clipboard.content, c.written) << c.what;
    EXPECT_EQ(messages.shown, Messages{}) << c.what;
  }
}

// A write counts only when the clipboard then offers the text written:
// another program's older text left behind is no success.
TEST(SetClipboardText, ARefusedWriteIsReportedEvenWhenOlderTextRemains) {
  const struct {
    const char* what;
    std::optional<Text> before;
    bool failReads;
  } cases[] = {
      {"older text remains", u"another program's text", false},
      {"nothing remains", std::nullopt, false},
      {"text announced but unreadable", u"x", true},
  };
  for (const auto& c : cases) {
    FakeClipboard clipboard;
    clipboard.content = c.before;
    clipboard.refuseWrites = true;
    clipboard.failReads = c.failReads;
    FakeMessageBox messages;
    SetClipboardText(clipboard, messages, u"245=00$aT");
    EXPECT_EQ(messages.shown, Messages{Text(kFailedToSetClipboardText)}) << c.what;
    EXPECT_EQ(clipboard.content, c.before) << c.what;
  }
  // A refused write of the very text already there left the clipboard right.
  FakeClipboard same(u"245=00$aT");
  same.refuseWrites = true;
  FakeMessageBox messages;
  SetClipboardText(same, messages, u"245=00$aT");
  EXPECT_EQ(messages.shown, Messages{});
}

TEST(SetClipboardText, APlatformThatKeepsLineBreaksInItsOwnFormIsNoFailure) {
  FakeClipboard clipboard;
  clipboard.linuxLineBreaks = true;
  FakeMessageBox messages;
  const Text text = u"=245  00$aT\r\n=100  1#$aA\r\n";
  SetClipboardText(clipboard, messages, text);
  EXPECT_EQ(messages.shown, Messages{});
  EXPECT_TEXT_EQ(GetClipboardText(clipboard, messages).value_or(u"(none)"), text);
}

TEST(ClipboardText, VietnameseTabsAndCrlfMakeTheRoundTripUnchanged) {
  // «Việt Nam» with ệ U+1EC7, «Đà» with Đ U+0110 and à U+00E0
  const Text text = u"245\t10$aVi\u1EC7t Nam\r\n260\t##$a\u0110\u00E0 N\u1EB5ng\r\n";
  FakeClipboard clipboard;
  FakeMessageBox messages;
  SetClipboardText(clipboard, messages, text);
  EXPECT_TEXT_EQ(GetClipboardText(clipboard, messages).value_or(u"(none)"), text);
  EXPECT_EQ(messages.shown, Messages{});
}

TEST(SameTextAcrossLineBreaks, EveryBreakIsOneBreak) {
  const struct {
    TextView a, b;
    bool same;
  } cases[] = {
      {u"", u"", true},
      {u"a\r\nb", u"a\nb", true},
      {u"a\r\nb", u"a\rb", true},
      {u"a\r\n", u"a\n", true},
      {u"a\r\n\r\nb", u"a\n\nb", true},
      {u"a\n\rb", u"a\r\n\r\nb", true},  // LF then CR: two breaks
      {u"a\r\nb", u"a\n\nb", false},
      {u"a\r\n", u"a", false},
      {u"ab", u"a", false},
      {u"a\rb", u"a b", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SameTextAcrossLineBreaks(c.a, c.b), c.same) << Readable(c.a) << Readable(c.b);
    EXPECT_EQ(SameTextAcrossLineBreaks(c.b, c.a), c.same) << Readable(c.b) << Readable(c.a);
  }
}

}  // namespace
}  // namespace velmora::frmmain::test
