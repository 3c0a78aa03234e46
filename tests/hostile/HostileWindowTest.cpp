// The window's pipeline on hostile clipboard and box texts, over its
// scripted ports: every button takes them without a failure message, the box
// shows the conversion of what was read, and the clipboard gets the box's
// text up to its first NUL (the clipboard layer stops there; the command
// line keeps NULs).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/FormLayout.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Records/MarcEditExport.h"
#include "ModMain/Records/Sources.h"
#include "ModMain/Text/LineBreaks.h"
#include "support/WindowFakes.h"

namespace velmora::frmmain::test {
namespace {

struct Button {
  std::string_view control;
  records::InputFrom input;
  bool isSource;  // an empty record of more than white space is refused
  // What the button makes of the text it reads.
  std::function<Text(TextView)> convert;
};

std::vector<Button> Buttons() {
  std::vector<Button> buttons;
  for (const records::SourceSystem& source : records::Sources()) {
    buttons.push_back({source.control, source.input, true,
                       [&source](TextView text) { return ConvertRecord(source, text); }});
  }
  buttons.push_back({"CmdMracEditor", records::InputFrom::TextBox, false, records::ExportMarcEdit});
  buttons.push_back({"CmdChuyenMa", records::InputFrom::Clipboard, false, letters::JoinToneMarks});
  return buttons;
}

Text Repeated(TextView piece, std::size_t times) {
  Text out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out.append(piece);
  return out;
}

struct HostileText {
  const char* what;
  Text text;
};

std::vector<HostileText> HostileTexts() {
  constexpr std::size_t kMillion = 1'000'000;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> unit(0, 0xFFFF);
  Text anyUnits(256 * 1024, u' ');
  for (char16_t& u : anyUnits) u = static_cast<char16_t>(unit(random));

  std::vector<HostileText> texts = {
      {"empty", u""},
      {"a single 10 MB line", u"245    10$a" + Repeated(u"Ti\u1EBFng Vi\u1EC7t ", 800'000)},
      {"a million CRLF", Repeated(u"\r\n", kMillion)},
      {"a million LF", Repeated(u"\n", kMillion)},
      {"a million CR", Repeated(u"\r", kMillion)},
      {"a NUL in a value", u"245    10$aBefore\0After\r\n100    1 $aA"},
      {"lone surrogates", Text(u"245    10$aA") + char16_t(0xD800) + u"B" + char16_t(0xDC00)},
      {"any code units", anyUnits},
  };
  for (const char16_t separator : {u'%', u'$', u'=', u'|', u'\t'}) {
    texts.push_back({"one separator repeated", Text(kMillion, separator)});
  }
  return texts;
}

TEST(HostileWindow, EveryButtonTakesHostileTexts) {
  for (const HostileText& hostile : HostileTexts()) {
    for (const Button& button : Buttons()) {
      SCOPED_TRACE(std::string(button.control) + ", " + hostile.what);
      FakeWindow window;
      Text read;  // what the pipeline converts
      if (button.input == records::InputFrom::Clipboard) {
        window.clipboard.content = hostile.text;
        read = text::NormaliseLineBreaks(UpToFirstNul(hostile.text));
      } else {
        window.box.SetText(hostile.text);
        read = hostile.text;
      }
      const std::optional<Text> before = window.clipboard.content;
      FindControl(button.control)->click(window.ports);
      EXPECT_TRUE(window.messages.failures.empty());
      const Text expected = button.convert(read);
      if (button.isSource && expected.empty() && records::HoldsMoreThanWhiteSpace(read)) {
        // No record of the source: told, the box keeps the text it read and
        // the clipboard what it held.
        EXPECT_EQ(window.messages.shown.size(), 1u);
        EXPECT_TRUE(window.box.GetText() == read);
        EXPECT_TRUE(window.clipboard.content == before);
        continue;
      }
      EXPECT_TRUE(window.messages.shown.empty());
      EXPECT_TRUE(window.box.GetText() == expected);  // no diff: texts of megabytes
      ASSERT_TRUE(window.clipboard.content.has_value());
      EXPECT_TRUE(*window.clipboard.content == UpToFirstNul(expected));
    }
  }
}

}  // namespace
}  // namespace velmora::frmmain::test
