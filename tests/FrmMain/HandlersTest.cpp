// The click handlers over scripted ports: each button's pipeline on the
// sample records, the order of its steps, and what the box and the clipboard
// hold after messages and failures.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Encodings/Utf8.h"
#include "FrmMain/FormLayout.h"
#include "FrmMain/Handlers.h"
#include "ModMain/Text/LineBreaks.h"
#include "support/Files.h"
#include "support/TextPrinting.h"
#include "support/WindowFakes.h"

namespace velmora::frmmain::test {
namespace {

using velmora::test::ExampleText;
using velmora::test::Readable;
using Messages = std::vector<Text>;

TEST(Handlers, EverySourceButtonConvertsItsSampleRecordIntoTheBoxAndOntoTheClipboard) {
  for (const records::SourceSystem& source : records::Sources()) {
    SCOPED_TRACE(std::string(source.control));
    FakeWindow window;
    const Text input = ExampleText(std::string(source.sample) + ".txt");
    ASSERT_FALSE(input.empty());
    if (source.input == records::InputFrom::Clipboard) {
      window.clipboard.content = input;
    } else {
      window.box.SetText(input);
      window.clipboard.content = u"older clipboard text, which plays no part";
    }
    FindControl(source.control)->click(window.ports);
    const Text expected = ExampleText(std::string(source.sample) + ".expected.txt");
    EXPECT_TEXT_EQ(window.box.GetText(), expected);
    ASSERT_TRUE(window.clipboard.content.has_value());
    EXPECT_TEXT_EQ(*window.clipboard.content, expected);
    EXPECT_EQ(window.messages.shown, Messages{});
    EXPECT_EQ(window.clipboard.reads, source.input == records::InputFrom::Clipboard ? 2 : 1)
        << "the box-sourced buttons read the clipboard only to check their write";
  }
}

// A source's button on a text that holds more than white space but no record
// of that source: the user is told, with the button to press when the text
// looks like another source's; the box shows the text and the clipboard
// keeps the copied record.
TEST(Handlers, TheWrongSourceButtonTellsAndKeepsTheCopiedRecord) {
  const struct {
    const char* sample;  // in the box for CmdHue, else on the clipboard
    const char* control;
    TextView message;
  } cases[] = {
      {"verbrary.txt", "CmdLibol",
       u"No Libol record was found in the copied text. It looks like a Verbrary record: press "
       u"\"Verbrary (Dong Nai)\" instead."},
      {"emiclib.txt", "CmdTvDakLak",
       u"No iLib record was found in the copied text. It looks like a LacViet or Emiclib record: "
       u"press \"LacViet (Dak Nong, Ca Mau, Hoi An)\" or \"Emiclib (VLong, HCM)\" instead."},
      {"ilib.txt", "CmdLibol",
       u"No Libol record was found in the copied text. It looks like an iLib record: press "
       u"\"Ilib 4X-8X\" instead."},
      // The Hue button is hidden: nothing to press.
      {"hue.txt", "CmdLibol",
       u"No Libol record was found in the copied text. It looks like a Hue, Hai Phong record."},
      {"marcedit.expected.txt", "CmdLibol", u"No Libol record was found in the copied text."},
      {"marcedit.expected.txt", "CmdHue", u"No Hue record was found in the box's text."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control + std::string(" on ") + c.sample);
    FakeWindow window;
    const Text copied = ExampleText(c.sample);
    const bool fromBox = std::string_view(c.control) == "CmdHue";
    window.clipboard.content = fromBox ? Text(u"older clipboard text") : copied;
    if (fromBox) window.box.SetText(copied);
    const std::optional<Text> clipboardBefore = window.clipboard.content;
    FindControl(c.control)->click(window.ports);
    EXPECT_EQ(window.messages.shown, Messages{Text(c.message)});
    EXPECT_TEXT_EQ(window.box.GetText(), copied);
    EXPECT_EQ(window.clipboard.content, clipboardBefore);
  }
  // White space alone is no wrong source: the empty record, no message.
  FakeWindow blank;
  blank.clipboard.content = u" \r\n\t";
  CmdLibol_Click(blank.ports);
  EXPECT_EQ(blank.messages.shown, Messages{});
  EXPECT_EQ(blank.clipboard.content, Text());
}

TEST(Handlers, TheOnTopButtonsChangeOnlyTheStacking) {
  FakeWindow window;
  window.box.SetText(u"kept");
  CmdOnBottom_Click(window.ports);
  CmdOnTop_Click(window.ports);
  EXPECT_EQ(window.stacking.calls, (std::vector<std::string>{"not on top", "on top"}));
  EXPECT_EQ(window.box.GetText(), u"kept");
  EXPECT_EQ(window.clipboard.writes.size(), 0u);
  EXPECT_EQ(window.messages.shown, Messages{});
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
  window.clipboard.content = ExampleText("libol.txt");
  CmdLibol_Click(window.ports);
  window.clipboard.content = u"copied meanwhile elsewhere";
  CmdMracEditor_Click(window.ports);
  EXPECT_TEXT_EQ(window.box.GetText(), ExampleText("marcedit.expected.txt"));
  EXPECT_EQ(window.clipboard.content, ExampleText("marcedit.expected.txt"));
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
  FakeStacking stacking;
  FrmMainPorts window{box, clipboard, messages, stacking};
  RunConversion(window, records::InputFrom::Clipboard, Bracketed);
  EXPECT_EQ(clipboard.content, Text(u"[copied*]*"));

  clipboard.content = u"not this";
  RunConversion(window, records::InputFrom::TextBox, Bracketed);
  EXPECT_EQ(clipboard.content, Text(u"[[copied*]*]*"));
}

// An image on the clipboard, or text announced but not obtainable: the user
// is told, the box shows the rewrite of the empty text, and the clipboard
// keeps what it held, so that the user's copy is not lost to the conversion
// of nothing. A command that starts from the box writes the clipboard as
// ever.
TEST(Handlers, NoTextOnTheClipboardIsToldTheEmptyTextConvertedAndTheClipboardKept) {
  for (const bool announcedButUnreadable : {false, true}) {
    SCOPED_TRACE(announcedButUnreadable ? "unreadable text" : "no text");
    FakeWindow window;
    window.box.SetText(u"earlier result");
    if (announcedButUnreadable) {
      window.clipboard.content = u"unreadable";
      window.clipboard.failReads = true;
    }
    const std::optional<Text> before = window.clipboard.content;
    RunConversion(window.ports, records::InputFrom::Clipboard, Bracketed);
    EXPECT_EQ(window.box.GetText(), u"[]");
    EXPECT_EQ(window.messages.shown,
              (Messages{Text(announcedButUnreadable ? kFailedToGetClipboardText
                                                    : kClipboardTextNotAvailable)}));
    EXPECT_EQ(window.clipboard.writes.size(), 0u);
    EXPECT_EQ(window.clipboard.content, before);
  }
  // Every button that starts from the clipboard, with its real conversion.
  for (const Control& button : kControls) {
    if (button.role != ControlRole::Conversion) continue;
    SCOPED_TRACE(std::string(button.name));
    FakeWindow window;
    window.box.SetText(ExampleText("libol.expected.txt"));
    button.click(window.ports);
    if (button.click == CmdMracEditor_Click || button.click == CmdHue_Click) {
      EXPECT_EQ(window.clipboard.writes.size(), 1u) << "starts from the box";
      continue;
    }
    EXPECT_EQ(window.messages.shown, Messages{Text(kClipboardTextNotAvailable)});
    EXPECT_EQ(window.clipboard.content, std::nullopt);
    EXPECT_EQ(window.clipboard.writes.size(), 0u);
    EXPECT_EQ(window.box.sets, 3) << "the test's text, the empty text, its rewrite";
  }
}

TEST(Handlers, ARefusedClipboardWriteIsToldAndTheBoxKeepsTheResult) {
  FakeWindow window;
  window.clipboard.content = u"copied";
  window.clipboard.refuseWrites = true;
  RunConversion(window.ports, records::InputFrom::Clipboard, Bracketed);
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
  RunConversion(window.ports, records::InputFrom::Clipboard, Failing);  // does not throw
  EXPECT_EQ(window.box.GetText(), u"copied");                           // step 2 stays done
  EXPECT_EQ(window.clipboard.writes.size(), 0u);                        // step 7 never ran
  EXPECT_EQ(window.messages.failures, std::vector<std::string>{"the rewrite gave up"});

  RunConversion(window.ports, records::InputFrom::TextBox, FailingWithoutReason);
  EXPECT_EQ(window.messages.failures.size(), 2u);

  window.box.failOnSet = true;  // a failing call on the text box
  RunConversion(window.ports, records::InputFrom::Clipboard, Bracketed);
  EXPECT_EQ(window.messages.failures.back(), "the text box refused the text");
  EXPECT_EQ(window.clipboard.content, Text(u"copied"));
}

}  // namespace
}  // namespace velmora::frmmain::test
