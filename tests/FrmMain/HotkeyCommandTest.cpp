// The hotkey's command over scripted ports: it repeats the conversion button
// pressed last, whatever the copied text; before any, it presses the button
// of the copied record's source, as its layout is recognised; with none
// recognised, the user is told what to do.
#include <gtest/gtest.h>

#include "FrmMain/HotkeyCommand.h"
#include "support/Files.h"
#include "support/TextPrinting.h"
#include "support/WindowFakes.h"

namespace velmora::frmmain::test {
namespace {

using velmora::test::ExampleText;
using Messages = std::vector<Text>;

const Control& Button(std::string_view name) {
  const Control* control = FindControl(name);
  EXPECT_NE(control, nullptr) << name;
  return *control;
}

// What pressing `button` itself gives on the same window state.
struct ClickResult {
  Text box;
  std::optional<Text> clipboard;
  Messages messages;
};
ClickResult ClickedDirectly(const Control& button, const std::optional<Text>& copied,
                            TextView box) {
  FakeWindow window;
  window.clipboard.content = copied;
  window.box.SetText(box);
  button.click(window.ports);
  return {window.box.GetText(), window.clipboard.content, window.messages.shown};
}

TEST(HotkeyCommand, RepeatsTheConversionButtonPressedLastWhateverWasCopied) {
  const struct {
    const char* pressed;  // the conversion buttons pressed, the last one counts
    const char* copied;   // what is on the clipboard when the hotkey is pressed
  } cases[] = {
      {"CmdLibol", "libol.txt"},
      {"CmdDaNang", "lacviet.txt"},
      {"CmdTVHCM", "lacviet.txt"},   // LacViet's layout, Emiclib's conversion
      {"CmdLibol", "verbrary.txt"},  // the wrong-source message, as the button gives it
      {"CmdChuyenMa", "libol.txt"},
      {"CmdMracEditor", "verbrary.txt"},  // converts the box's record, not the copy
      {"CmdLacViet", "lacviet.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pressed) + " then the hotkey on " + c.copied);
    FakeWindow window;
    HotkeyCommand hotkey;
    window.clipboard.content = ExampleText("libol.txt");
    hotkey.Click(Button("CmdLibol"), window.ports);
    hotkey.Click(Button(c.pressed), window.ports);
    hotkey.Click(Button("CmdOnBottom"), window.ports);  // not a conversion
    hotkey.Click(Button("CmdOnTop"), window.ports);
    EXPECT_EQ(hotkey.RepeatedButton(), &Button(c.pressed));

    window.clipboard.content = ExampleText(c.copied);
    window.messages.shown.clear();
    const ClickResult expected =
        ClickedDirectly(Button(c.pressed), window.clipboard.content, window.box.GetText());
    hotkey.Press(window.ports);
    EXPECT_TEXT_EQ(window.box.GetText(), expected.box);
    EXPECT_EQ(window.clipboard.content, expected.clipboard);
    EXPECT_EQ(window.messages.shown, expected.messages);
  }
}

TEST(HotkeyCommand, BeforeAnyButtonPressesTheButtonOfTheCopiedRecordsLayout) {
  const struct {
    const char* copied;
    const char* button;  // whose conversion the hotkey runs
  } cases[] = {
      {"libol.txt", "CmdLibol"},
      {"verbrary.txt", "CmdLacViet"},
      {"ilib.txt", "CmdTvDakLak"},
      // LacViet and Emiclib copy one layout: the button shown first, Emiclib's.
      {"lacviet.txt", "CmdTVHCM"},
      {"emiclib.txt", "CmdTVHCM"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.copied);
    FakeWindow window;
    HotkeyCommand hotkey;
    window.clipboard.content = ExampleText(c.copied);
    const ClickResult expected = ClickedDirectly(Button(c.button), window.clipboard.content, u"");
    hotkey.Press(window.ports);
    EXPECT_TEXT_EQ(window.box.GetText(), expected.box);
    EXPECT_EQ(window.clipboard.content, expected.clipboard);
    EXPECT_EQ(window.messages.shown, Messages{});
    EXPECT_EQ(hotkey.RepeatedButton(), nullptr) << "only a pressed button is repeated";
  }
  // Each press looks again: a Verbrary copy after a Libol one.
  FakeWindow window;
  HotkeyCommand hotkey;
  window.clipboard.content = ExampleText("libol.txt");
  hotkey.Press(window.ports);
  window.clipboard.content = ExampleText("verbrary.txt");
  hotkey.Press(window.ports);
  EXPECT_TEXT_EQ(window.box.GetText(), ExampleText("verbrary.expected.txt"));
  EXPECT_EQ(window.messages.shown, Messages{});
}

TEST(HotkeyCommand, BeforeAnyButtonWithNoSourceRecognisedTellsWhatToDoAndChangesNothing) {
  const struct {
    const char* what;
    std::optional<Text> copied;
    bool failReads;
  } cases[] = {
      {"prose", u"Vi\u1EC7t Nam, not a record", false},  // ệ U+1EC7
      {"an output record", ExampleText("libol.expected.txt"), false},
      {"a Hue record, whose button is hidden", ExampleText("hue.txt"), false},
      {"an image", std::nullopt, false},
      {"text that cannot be read", u"x", true},
      {"empty text", u"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindow window;
    HotkeyCommand hotkey;
    window.box.SetText(u"earlier result");
    window.clipboard.content = c.copied;
    window.clipboard.failReads = c.failReads;
    hotkey.Press(window.ports);
    EXPECT_EQ(window.messages.shown, Messages{HotkeyFindsNoSourceMessage()});
    EXPECT_EQ(window.box.GetText(), u"earlier result");
    EXPECT_EQ(window.clipboard.content, c.copied);
    EXPECT_EQ(window.clipboard.writes.size(), 0u);
  }
}

// A message box whose modal loop lets the hotkey's press through, as the
// window systems' do: the command must not start again inside itself.
class MessageBoxPressingTheHotkey final : public MessageBox {
 public:
  MessageBoxPressingTheHotkey(HotkeyCommand& hotkey, FrmMainPorts*& window)
      : hotkey_(hotkey), window_(window) {}
  void Show(TextView message) override {
    shown.emplace_back(message);
    hotkey_.Press(*window_);
  }
  void ShowFailure(std::string_view) override {}
  Messages shown;

 private:
  HotkeyCommand& hotkey_;
  FrmMainPorts*& window_;
};

TEST(HotkeyCommand, APressWhileAMessageIsOpenIsIgnored) {
  HotkeyCommand hotkey;
  FrmMainPorts* ports = nullptr;
  FakeTextBox box;
  FakeClipboard clipboard(ExampleText("verbrary.txt"));  // the wrong source for Libol
  MessageBoxPressingTheHotkey messages(hotkey, ports);
  FakeStacking stacking;
  FrmMainPorts window{box, clipboard, messages, stacking};
  ports = &window;
  hotkey.Click(Button("CmdLibol"), window);  // its message presses the hotkey: ignored
  hotkey.Press(window);                      // and this press runs, once
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(clipboard.content, ExampleText("verbrary.txt"));
}

}  // namespace
}  // namespace velmora::frmmain::test
