// Scripted stand-ins for the window's ports: a text box, a clipboard that can
// hold no text, fail a read or refuse writes, and a message box that records
// what it was asked to show.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FrmMain/Ports.h"
#include "ModMain/Text/Text.h"

namespace velmora::frmmain::test {

class FakeTextBox final : public TextBox {
 public:
  void SetText(TextView text) override {
    if (failOnSet) throw std::runtime_error("the text box refused the text");
    text_ = text;
    ++sets;
  }
  Text GetText() const override { return text_; }

  bool failOnSet = false;
  int sets = 0;

 private:
  Text text_;
};

class FakeClipboard final : public Clipboard {
 public:
  FakeClipboard() = default;
  explicit FakeClipboard(TextView text) : content(Text(text)) {}

  bool OffersText() override { return content.has_value(); }
  std::optional<Text> ReadText() override {
    ++reads;
    if (failReads) return std::nullopt;
    return content;
  }
  void WriteText(TextView text) override {
    writes.emplace_back(text);
    if (refuseWrites) return;  // the older content stays
    content = Text(text);
    failReads = false;  // the unreadable text is gone
    if (linuxLineBreaks) content = text::Replace(*content, text::kCrlf, u"\n");
  }

  std::optional<Text> content;   // nothing: no text (say, only an image)
  bool failReads = false;        // text announced but not obtainable
  bool refuseWrites = false;     // another program holds the clipboard
  bool linuxLineBreaks = false;  // keeps CRLF as LF, as a platform may
  int reads = 0;
  std::vector<Text> writes;
};

class FakeMessageBox final : public MessageBox {
 public:
  void Show(TextView message) override { shown.emplace_back(message); }
  void ShowFailure(std::string_view description) override { failures.emplace_back(description); }

  std::vector<Text> shown;
  std::vector<std::string> failures;
};

class FakeStacking final : public WindowStacking {
 public:
  void SetOnTop() override { calls.emplace_back("on top"); }
  void SetNotOnTop() override { calls.emplace_back("not on top"); }

  std::vector<std::string> calls;
};

// The ports together, as the window hands them to its handlers.
struct FakeWindow {
  FakeTextBox box;
  FakeClipboard clipboard;
  FakeMessageBox messages;
  FakeStacking stacking;
  FrmMainPorts ports{box, clipboard, messages, stacking};
};

}  // namespace velmora::frmmain::test
