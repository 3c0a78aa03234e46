// The click handlers over scripted ports: each button's pipeline on the
// sample records, the order of its steps, and what the box and the clipboard
// hold after messages and failures.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/WindowFakes.h"
#include "FrmMain/Handlers.h"
#include "ModMain/LineBreaks.h"
#include "support/TextPrinting.h"
#include "Encodings/Utf8.h"

namespace velmora::ui::test {
namespace {

using velmora::test::Readable;
using Messages = std::vector<Text>;

// An example file as the clipboard or the box would give it: line breaks as CRLF.
Text Example(const std::string& name) {
  std::ifstream in(std::string(VELMORA_EXAMPLES) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_TRUE(in.good() || in.eof()) << name;
  return NormaliseLineBreaks(DecodeUtf8(bytes.str(), nullptr).value_or(Text()));
}

struct Button {
  const char* name;
  void (*click)(FrmMainPorts&) noexcept;
  Source source;
  const char* input;     // put on the clipboard, or into the box
  const char* expected;  // what the box and the clipboard then hold
};

// The button table, each button on its sample record.
constexpr Button kButtons[] = {
    {"CmdLibol", CmdLibol_Click, Source::Clipboard, "libol.txt", "libol.expected.txt"},
    {"CmdDaNang", CmdDaNang_Click, Source::Clipboard, "lacviet.txt", "lacviet.expected.txt"},
    {"CmdLacViet", CmdLacViet_Click, Source::Clipboard, "verbrary.txt", "verbrary.expected.txt"},
    {"CmdTvDakLak", CmdTvDakLak_Click, Source::Clipboard, "ilib.txt", "ilib.expected.txt"},
    {"CmdTVHCM", CmdTVHCM_Click, Source::Clipboard, "emiclib.txt", "emiclib.expected.txt"},
    {"CmdHue", CmdHue_Click, Source::TextBox, "hue.txt", "hue.expected.txt"},
    {"CmdMracEditor", CmdMracEditor_Click, Source::TextBox, "libol.expected.txt",
     "marcedit.expected.txt"},
};

TEST(Handlers, EveryButtonConvertsItsSampleRecordIntoTheBoxAndOntoTheClipboard) {
  for (const Button& button : kButtons) {
    SCOPED_TRACE(button.name);
    FakeWindow window;
    const Text input = Example(button.input);
    ASSERT_FALSE(input.empty());
    if (button.source == Source::Clipboard) {
      window.clipboard.content = input;
    } else {
      window.box.SetText(input);
      window.clipboard.content = u"older clipboard text, which plays no part";
    }
    button.click(window.ports);
    const Text expected = Example(button.expected);
    EXPECT_TEXT_EQ(window.box.GetText(), expected);
    ASSERT_TRUE(window.clipboard.content.has_value());
    EXPECT_TEXT_EQ(*window.clipboard.content, expected);
    EXPECT_EQ(window.messages.shown, Messages{});
    EXPECT_EQ(window.clipboard.reads, button.source == Source::Clipboard ? 2 : 1)
        << "the box-sourced buttons read the clipboard only to check their write";
  }
}

TEST(Handlers, ToPreUnicodeJoinsToneMarksAndChangesNothingElse) {
  const struct {
    TextView copied, expected;
  } cases[] = {
      // «Việt Nam»: ê U+00EA + dot below U+0323 -> ệ U+1EC7; tab and CRLF stay.
      {u"Vi\u00EA\u0323t\tNam\r\n$a:", u"Vi\u1EC7t\tNam\r\n$a:"},
      {u"Vi\u1EC7t Nam", u"Vi\u1EC7t Nam"},  // already precomposed
      {u"245    10$aX ", u"245    10$aX "},  // not trimmed, no fields made
  };
  for (const auto& c : cases) {
    FakeWindow window;
    window.clipboard.content = Text(c.copied);
    CmdChuyenMa_Click(window.ports);
    EXPECT_TEXT_EQ(window.box.GetText(), c.expected) << Readable(c.copied);
    EXPECT_EQ(window.clipboard.content, Text(c.expected)) << Readable(c.copied);
  }
}

TEST(Handlers, MarcEditConvertsWhatTheBoxHoldsAfterASourceButton) {
  FakeWindow window;
  window.clipboard.content = Example("libol.txt");
  CmdLibol_Click(window.ports);
  window.clipboard.content = u"copied meanwhile elsewhere";
  CmdMracEditor_Click(window.ports);
  EXPECT_TEXT_EQ(window.box.GetText(), Example("marcedit.expected.txt"));
  EXPECT_EQ(window.clipboard.content, Example("marcedit.expected.txt"));
}

// A rewrite that shows what it was given, to follow the text through the steps.
Text Bracketed(TextView input) {
  return u"[" + Text(input) + u"]";
}

// A box that gives back its text with a mark, as a box that changes what it
// holds would: the handlers must rewrite and copy what the box gives back.
class MarkingTextBox final : public TextBox {
 public:
  void SetText(TextView text) override { text_ = text; }
  Text GetText() const override { return text_ + u"*"; }

 private:
  Text text_;
};

TEST(Handlers, TheRewriteGetsTheBoxsTextAndTheClipboardGetsTheBoxsTextBack) {
  MarkingTextBox box;
  FakeClipboard clipboard(u"copied");
  FakeMessageBox messages;
  FrmMainPorts window{box, clipboard, messages};
  RunConversion(window, {Source::Clipboard, Bracketed});
  EXPECT_EQ(clipboard.content, Text(u"[copied*]*"));

  clipboard.content = u"not this";
  RunConversion(window, {Source::TextBox, Bracketed});
  EXPECT_EQ(clipboard.content, Text(u"[[copied*]*]*"));
}

TEST(Handlers, NoTextOnTheClipboardIsToldAndTheEmptyTextIsConverted) {
  for (const bool announcedButUnreadable : {false, true}) {
    FakeWindow window;
    window.box.SetText(u"earlier result");
    if (announcedButUnreadable) {
      window.clipboard.content = u"unreadable";
      window.clipboard.failReads = true;
    }
    RunConversion(window.ports, {Source::Clipboard, Bracketed});
    EXPECT_EQ(window.box.GetText(), u"[]");
    EXPECT_EQ(window.messages.shown,
              (Messages{Text(announcedButUnreadable ? kFailedToGetClipboardText
                                                    : kClipboardTextNotAvailable)}));
    EXPECT_EQ(window.clipboard.content, Text(u"[]"));
  }
  // The real conversions of the empty text.
  FakeWindow window;
  CmdLibol_Click(window.ports);
  EXPECT_EQ(window.messages.shown, Messages{Text(kClipboardTextNotAvailable)});
  EXPECT_EQ(window.clipboard.content, window.box.GetText());
}

TEST(Handlers, ARefusedClipboardWriteIsToldAndTheBoxKeepsTheResult) {
  FakeWindow window;
  window.clipboard.content = u"copied";
  window.clipboard.refuseWrites = true;
  RunConversion(window.ports, {Source::Clipboard, Bracketed});
  EXPECT_EQ(window.box.GetText(), u"[copied]");
  EXPECT_EQ(window.clipboard.content, Text(u"copied"));
  EXPECT_EQ(window.messages.shown, Messages{Text(kFailedToSetClipboardText)});
}

Text Failing(TextView) {
  throw std::length_error("the rewrite gave up");
}
Text FailingWithoutReason(TextView) {
  throw 42;
}

TEST(Handlers, AFailureAbandonsTheRestKeepsEarlierStepsAndIsShown) {
  FakeWindow window;
  window.clipboard.content = u"copied";
  RunConversion(window.ports, {Source::Clipboard, Failing});  // does not throw
  EXPECT_EQ(window.box.GetText(), u"copied");                 // step 2 stays done
  EXPECT_EQ(window.clipboard.writes.size(), 0u);              // step 7 never ran
  EXPECT_EQ(window.messages.failures, std::vector<std::string>{"the rewrite gave up"});

  RunConversion(window.ports, {Source::TextBox, FailingWithoutReason});
  EXPECT_EQ(window.messages.failures.size(), 2u);

  window.box.failOnSet = true;  // a failing call on the text box
  RunConversion(window.ports, {Source::Clipboard, Bracketed});
  EXPECT_EQ(window.messages.failures.back(), "the text box refused the text");
  EXPECT_EQ(window.clipboard.content, Text(u"copied"));
}

}  // namespace
}  // namespace velmora::ui::test
