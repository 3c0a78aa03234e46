// The window in the person's language: its messages, notices and usage
// errors in Vietnamese when the locale asks for it, in English otherwise;
// the three clipboard messages and the button captions in English in both.
// ctest runs these once per language setting (tests/FrmMain/CMakeLists.txt),
// VELMORA_EXPECTED_LANGUAGE naming the language that setting must choose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/Utf8.h"
#include "FrmMain/FormLayout.h"
#include "FrmMain/HotkeyCommand.h"
#include "FrmMain/WindowOptions.h"
#include "Messages/Translate.h"
#include "support/Files.h"
#include "support/WindowFakes.h"

namespace velmora::frmmain::test {
namespace {

using velmora::test::ExampleText;

std::string ExpectedLanguage() {
  const char* expected = std::getenv("VELMORA_EXPECTED_LANGUAGE");
  return expected != nullptr ? expected : "en";
}

bool Vietnamese() {
  return ExpectedLanguage() == "vi";
}

// What the window shows after `act`, as UTF-8.
std::vector<std::string> Shown(const std::function<void(FakeWindow&)>& act) {
  FakeWindow window;
  act(window);
  std::vector<std::string> shown;
  for (const Text& message : window.messages.shown) shown.push_back(encodings::EncodeUtf8(message));
  return shown;
}

std::function<void(FakeWindow&)> Copy(std::string sample, std::string_view control) {
  return [sample, control](FakeWindow& window) {
    window.clipboard.content = ExampleText(sample);
    FindControl(control)->click(window.ports);
  };
}

TEST(WindowLanguage, TheSettingChoosesTheLanguage) {
  EXPECT_EQ(messages::ChosenLanguage(), ExpectedLanguage());
}

TEST(WindowLanguage, MessageBoxesSpeakTheChosenLanguageButTheClipboardOnesStayEnglish) {
  const struct {
    const char* what;
    std::function<void(FakeWindow&)> act;
    const char* english;
    const char* vietnamese;
  } cases[] = {
      {"a Verbrary record, Libol pressed", Copy("verbrary.txt", "CmdLibol"),
       "No Libol record was found in the copied text. It looks like a Verbrary record: press "
       "\"Verbrary (Dong Nai)\" instead.",
       "Không tìm thấy biểu ghi Libol nào trong văn bản đã sao chép. Văn bản này có vẻ là biểu "
       "ghi Verbrary: hãy bấm nút \"Verbrary (Dong Nai)\"."},
      {"an Emiclib record, iLib pressed: two buttons", Copy("emiclib.txt", "CmdTvDakLak"),
       "No iLib record was found in the copied text. It looks like a LacViet or Emiclib record: "
       "press \"LacViet (Dak Nong, Ca Mau, Hoi An)\" or \"Emiclib (VLong, HCM)\" instead.",
       "Không tìm thấy biểu ghi iLib nào trong văn bản đã sao chép. Văn bản này có vẻ là biểu ghi "
       "LacViet hoặc Emiclib: hãy bấm nút \"LacViet (Dak Nong, Ca Mau, Hoi An)\" hoặc \"Emiclib "
       "(VLong, HCM)\"."},
      {"a Hue record, whose button is hidden", Copy("hue.txt", "CmdLibol"),
       "No Libol record was found in the copied text. It looks like a Hue, Hai Phong record.",
       "Không tìm thấy biểu ghi Libol nào trong văn bản đã sao chép. Văn bản này có vẻ là biểu ghi "
       "Hue, Hai Phong."},
      {"no record in the box, Hue pressed",
       [](FakeWindow& window) {
         window.box.SetText(ExampleText("marcedit.expected.txt"));
         FindControl("CmdHue")->click(window.ports);
       },
       "No Hue record was found in the box's text.",
       "Không tìm thấy biểu ghi Hue nào trong văn bản của ô hiển thị."},
      {"the hotkey on prose",
       [](FakeWindow& window) {
         window.clipboard.content = u"Vi\u1EC7t Nam";  // ệ U+1EC7
         HotkeyCommand().Press(window.ports);
       },
       "The copied text is not a record of a library system Velmora recognises: press the button "
       "of the record's system once, and from then on the hotkey repeats that button.",
       "Văn bản đã sao chép không phải là biểu ghi của phần mềm thư viện nào mà Velmora nhận ra: "
       "hãy bấm nút mang tên phần mềm của biểu ghi một lần, từ đó về sau phím tắt sẽ lặp lại nút "
       "ấy."},
      {"no text on the clipboard",
       [](FakeWindow& window) { FindControl("CmdLibol")->click(window.ports); },
       "Clipboard Text Is Not available now", "Clipboard Text Is Not available now"},
      {"a refused clipboard write",
       [](FakeWindow& window) {
         window.clipboard.content = ExampleText("libol.txt");
         window.clipboard.refuseWrites = true;
         FindControl("CmdLibol")->click(window.ports);
       },
       "Failed To Set Clipboard Text", "Failed To Set Clipboard Text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Shown(c.act), std::vector<std::string>{Vietnamese() ? c.vietnamese : c.english});
  }
}

TEST(WindowLanguage, NoticesHelpAndUsageErrorsSpeakTheChosenLanguage) {
  const std::vector<std::string_view> bogus = {"--bogus"};
  const struct {
    const char* what;
    std::string shown;
    const char* english;
    const char* vietnamese;
  } cases[] = {
      {"the hotkey taken", encodings::EncodeUtf8(HotkeyTakenNotice(u"Ctrl+Alt+Shift+K")),
       "The key combination Ctrl+Alt+Shift+K is taken by another program, so Velmora has no "
       "hotkey: start it with --hotkey and another combination to have one.",
       "Tổ hợp phím Ctrl+Alt+Shift+K đã bị một chương trình khác chiếm nên Velmora không có phím "
       "tắt: muốn có phím tắt, hãy mở Velmora với --hotkey và một tổ hợp phím khác."},
      {"an unknown option", UsageErrorLine(ParseWindowOptions(bogus, {})),
       "velmora: unknown option '--bogus'; see 'velmora --help'\n",
       "velmora: không có tùy chọn '--bogus'; xem 'velmora --help'\n"},
      {"the help's usage line", WindowUsage("").substr(0, WindowUsage("").find('\n')),
       "usage: velmora [OPTION...]", "cách dùng: velmora [TÙY_CHỌN...]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.shown, Vietnamese() ? c.vietnamese : c.english);
  }
}

// The help's option lines stay in their columns in every language: the
// options themselves untranslated, every line of what they do under the
// first.
TEST(WindowLanguage, TheHelpKeepsTheOptionsAndTheirColumns) {
  const std::string usage = WindowUsage("");
  for (const char* option : {"\n  --hotkey KEYS  ", "\n  --no-hotkey    ", "\n  -h, --help     ",
                             "\n  -V, --version  ", "Ctrl+Alt+Shift+M)\n"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  const std::size_t options = usage.find("\n  --hotkey KEYS  ");
  ASSERT_NE(options, std::string::npos);
  for (std::size_t line = options + 1; line < usage.size(); line = usage.find('\n', line) + 1) {
    const std::string_view text =
        std::string_view(usage).substr(line, usage.find('\n', line) - line);
    EXPECT_TRUE(text.starts_with("  -") || text.starts_with("                 ")) << text;
  }
}

}  // namespace
}  // namespace velmora::frmmain::test
