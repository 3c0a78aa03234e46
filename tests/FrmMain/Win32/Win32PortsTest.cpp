// The window's Win32 ports where their behaviour is Windows' own: the text
// box's line breaks and its control replaced for a long text, the
// clipboard's blocks and formats, a clipboard
// that another program holds open, the buttons wired to the handlers, and
// the native Get_Text, Set_Text and Utf8ToText. Runs under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <thread>

#include "Encodings/Utf8.h"
#include "FrmMain/ClipboardText.h"
#include "FrmMain/FormLayout.h"
#include "FrmMain/Win32/FrmMain.h"
#include "FrmMain/Win32/Win32Ports.h"

#include <commctrl.h>
#include "ModMain/Text/LineBreaks.h"
#include "support/Files.h"
#include "support/TextPrinting.h"
#include "support/WindowFakes.h"

namespace velmora::frmmain::win32 {
namespace {

using Messages = std::vector<Text>;
using velmora::test::ExampleText;

// «Tiếng Việt»: ế U+1EBF, ệ U+1EC7.
constexpr TextView kVietnamese = u"Ti\u1EBFng Vi\u1EC7t";

HWND MakeEdit(DWORD style) {
  return ::CreateWindowExW(0, L"EDIT", L"", style, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                           nullptr);
}

// A hidden window to own what the tests write to the clipboard.
struct OwnerWindow {
  HWND handle =
      ::CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ~OwnerWindow() { ::DestroyWindow(handle); }
};

// Puts one block of `format` on the clipboard, as another program would.
void PutOnClipboard(UINT format, HANDLE data) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::SetClipboardData(format, data);
  ::CloseClipboard();
}

HGLOBAL UnicodeBlock(TextView units, SIZE_T bytes) {
  const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  std::memcpy(::GlobalLock(block), units.data(), units.size() * sizeof(char16_t));
  ::GlobalUnlock(block);
  return block;
}

// Another program that holds the clipboard open until it is told to let go.
class ClipboardHolder {
 public:
  ClipboardHolder() {
    std::promise<bool> opened;
    std::future<bool> isOpen = opened.get_future();
    thread_ = std::thread([this, &opened] {
      opened.set_value(::OpenClipboard(nullptr) != FALSE);
      release_.get_future().wait();
      ::CloseClipboard();
    });
    EXPECT_TRUE(isOpen.get());
  }
  ~ClipboardHolder() { Release(); }
  void Release() {
    if (!thread_.joinable()) return;
    release_.set_value();
    thread_.join();
  }

 private:
  std::promise<void> release_;
  std::thread thread_;
};

// The window's own text box: exactly what was set, whether the control has
// it yet or not; once edited, the control's text with every break as CRLF.
TEST(RichEditTextBox, GivesBackExactlyWhatWasSetAndTypedBreaksAsCrlf) {
  OwnerWindow parent;
  const HWND control = frmmain::win32::CreateRichEditControl(parent.handle, 1);
  ASSERT_NE(control, nullptr);
  ::MoveWindow(control, 0, 0, 169, 137, FALSE);  // the window's size: lines wrap as there
  frmmain::win32::RichEditTextBox box(control);
  // Longer than the 64 K units a RichEdit control takes by default.
  const Text large = text::Replace(Text(5000, u'x'), u"x", u"245=00$aVi\u1EC7t\r\n");
  for (const TextView text :
       {TextView(u"245    10$aT\r\n100    1 $aA"), TextView(u"lone\nLF and lone\rCR"),
        TextView(u"\t$a\tx\t"), kVietnamese, TextView(u""), TextView(large)}) {
    box.SetText(text);
    EXPECT_TEXT_EQ(box.GetText(), text);
    box.Show();
    EXPECT_TEXT_EQ(box.GetText(), text);
  }
  // Set twice before it is shown: the control gets the second text only.
  box.SetText(u"first");
  box.SetText(u"second");
  box.Show();
  std::wstring shown(16, L'\0');
  shown.resize(static_cast<std::size_t>(::GetWindowTextW(box.Control(), shown.data(), 16)));
  EXPECT_EQ(shown, L"second");

  box.SetText(u"a\nb");
  box.Show();
  ::SendMessageW(box.Control(), EM_SETSEL, 3, 3);
  // Return typed after b: the key, and the character TranslateMessage makes.
  ::PostMessageW(box.Control(), WM_KEYDOWN, VK_RETURN, 1);
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::SendMessageW(box.Control(), WM_CHAR, L'\u1EC7', 0);  // ệ
  EXPECT_TEXT_EQ(box.GetText(), u"a\r\nb\r\n\u1EC7");
}

// A long text, old or new, is not set in place (Wine takes minutes to
// delete 1 MB) but in a fresh control: same place and id; the text exactly.
TEST(RichEditTextBox, ALongTextIsReplacedByAFreshControlInTheSamePlace) {
  OwnerWindow parent;
  const HWND control = frmmain::win32::CreateRichEditControl(parent.handle, 7);
  ASSERT_NE(control, nullptr);
  ::MoveWindow(control, 3, 5, 169, 137, FALSE);
  std::vector<HWND> told;
  frmmain::win32::RichEditTextBox box(control, [&](HWND fresh) { told.push_back(fresh); });
  const auto controlText = [&] {  // as the control has it, not as it was set
    ::SendMessageW(box.Control(), EM_SETMODIFY, TRUE, 0);
    return ToWide(box.GetText());
  };
  const int limit = frmmain::win32::RichEditTextBox::kLongestTextReplacedInPlace;
  // Lines of a record, as the box holds them.
  const auto lines = [](std::size_t units) {
    std::wstring text;
    while (text.size() < units) text += L"245  10$aTi\u1EBFng Vi\u1EC7t\r\n";
    text.resize(units);
    return text;
  };
  const std::wstring atLimit = lines(static_cast<std::size_t>(limit));
  const std::wstring beyond = lines(static_cast<std::size_t>(limit) + 1);
  struct Step {
    const std::wstring& text;
    bool replacesControl;  // the one that holds the text before
  };
  const Step steps[] = {
      {atLimit, false}, {atLimit, false}, {beyond, true}, {atLimit, true}, {atLimit, false}};
  for (const Step& step : steps) {
    const HWND before = box.Control();
    const std::size_t toldBefore = told.size();
    box.SetText(FromWide(step.text));
    box.Show();
    EXPECT_EQ(controlText(), step.text);
    if (!step.replacesControl) {
      EXPECT_EQ(box.Control(), before);
      EXPECT_EQ(told.size(), toldBefore);
      continue;
    }
    ASSERT_NE(box.Control(), before);
    EXPECT_FALSE(::IsWindow(before));
    ASSERT_EQ(told.size(), toldBefore + 1);
    EXPECT_EQ(told.back(), box.Control());
    EXPECT_EQ(::GetParent(box.Control()), parent.handle);
    EXPECT_EQ(::GetDlgCtrlID(box.Control()), 7);
    RECT place{};
    ::GetWindowRect(box.Control(), &place);
    ::MapWindowPoints(HWND_DESKTOP, parent.handle, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 3);
    EXPECT_EQ(place.top, 5);
    EXPECT_EQ(place.right - place.left, 169);
    EXPECT_EQ(place.bottom - place.top, 137);
    // Still a plain-text control with no 64 K limit.
    const std::wstring large = lines(70000);
    box.SetText(FromWide(large));
    box.Show();
    EXPECT_EQ(controlText(), large);
    box.SetText(FromWide(step.text));
    box.Show();
  }
}

TEST(Win32Clipboard, CarriesTextBothWaysAndReadsABlockUpToItsFirstNul) {
  OwnerWindow owner;
  frmmain::win32::Win32Clipboard clipboard(owner.handle);
  frmmain::test::FakeMessageBox messages;
  const Text text = u"245=00$a" + Text(kVietnamese) + u"\t\r\n%100=##$aA";
  SetClipboardText(clipboard, messages, text);
  EXPECT_TEXT_EQ(GetClipboardText(clipboard, messages).value_or(u"(none)"), text);
  SetClipboardText(clipboard, messages, u"");
  EXPECT_TEXT_EQ(GetClipboardText(clipboard, messages).value_or(u"(none)"), u"");
  EXPECT_EQ(messages.shown, Messages{});

  const struct {
    const char* what;
    SIZE_T bytes;
  } blocks[] = {
      {"exactly the text and its terminator", 8},
      {"larger than its text", 64},
  };
  for (const auto& block : blocks) {
    PutOnClipboard(CF_UNICODETEXT, UnicodeBlock(u"abc", block.bytes));
    EXPECT_EQ(clipboard.ReadText(), Text(u"abc")) << block.what;
  }
}

TEST(Win32Clipboard, AnImageOnlyClipboardOffersNoText) {
  const DWORD pixel = 0x00FF0000;
  PutOnClipboard(CF_BITMAP, ::CreateBitmap(1, 1, 1, 32, &pixel));
  OwnerWindow owner;
  frmmain::win32::Win32Clipboard clipboard(owner.handle);
  frmmain::test::FakeMessageBox messages;
  EXPECT_EQ(GetClipboardText(clipboard, messages), std::nullopt);
  EXPECT_EQ(messages.shown, Messages{Text(kClipboardTextNotAvailable)});
}

TEST(Win32Clipboard, WaitsForAnotherProgramThatHoldsItOpenThenGivesUp) {
  OwnerWindow owner;
  {
    frmmain::win32::Win32Clipboard writer(owner.handle);
    frmmain::test::FakeMessageBox messages;
    SetClipboardText(writer, messages, u"copied");
  }
  {  // let go after the second failed attempt
    ClipboardHolder holder;
    int pauses = 0;
    frmmain::win32::Win32Clipboard clipboard(owner.handle, [&] {
      if (++pauses == 2) holder.Release();
    });
    frmmain::test::FakeMessageBox messages;
    EXPECT_TEXT_EQ(GetClipboardText(clipboard, messages).value_or(u"(none)"), u"copied");
    EXPECT_EQ(messages.shown, Messages{});
    EXPECT_EQ(pauses, 2);
  }
  {  // held throughout
    ClipboardHolder holder;
    int pauses = 0;
    frmmain::win32::Win32Clipboard clipboard(owner.handle, [&] { ++pauses; });
    frmmain::test::FakeMessageBox messages;
    EXPECT_EQ(GetClipboardText(clipboard, messages), std::nullopt);
    SetClipboardText(clipboard, messages, u"result");
    EXPECT_EQ(messages.shown,
              (Messages{Text(kFailedToGetClipboardText), Text(kFailedToSetClipboardText)}));
    EXPECT_GE(pauses, frmmain::win32::Win32Clipboard::kOpenAttempts - 1);
  }
}

TEST(FrmMain, EveryButtonIsWiredAndShownAsLaidOut) {
  frmmain::win32::FrmMain form(::GetModuleHandleW(nullptr));
  const UINT dpi = ::GetDpiForWindow(form.Handle());
  RECT client{};
  ::GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, ::MulDiv(kClientWidthTwips, dpi, kTwipsPerInch));
  EXPECT_EQ(client.bottom, ::MulDiv(kClientHeightTwips, dpi, kTwipsPerInch));
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    const Control& control = kControls[i];
    SCOPED_TRACE(std::string(control.name));
    const HWND window = form.ControlWindow(i);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, ::MulDiv(control.left, dpi, kTwipsPerInch));
    EXPECT_EQ(rect.bottom, ::MulDiv(control.top + control.height, dpi, kTwipsPerInch));
    EXPECT_EQ((::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0, control.visible);
  }

  // A click reaches the button's handler: each source's sample through the
  // window's own EDIT control and the clipboard.
  frmmain::test::FakeMessageBox messages;
  frmmain::test::FakeStacking stacking;
  FrmMainPorts ports = form.Ports();
  FrmMainPorts quiet{ports.txtZ3950, ports.clipboard, messages, stacking};
  for (const records::SourceSystem& source : records::Sources()) {
    SCOPED_TRACE(std::string(source.control));
    const Text input = ExampleText(std::string(source.sample) + ".txt");
    if (source.input == records::InputFrom::Clipboard) {
      SetClipboardText(quiet.clipboard, messages, input);
    } else {
      quiet.txtZ3950.SetText(input);
    }
    FindControl(source.control)->click(quiet);
    const Text expected = ExampleText(std::string(source.sample) + ".expected.txt");
    EXPECT_TEXT_EQ(quiet.txtZ3950.GetText(), expected);
    EXPECT_TEXT_EQ(quiet.clipboard.ReadText().value_or(u"(none)"), expected);
  }
  EXPECT_EQ(messages.shown, Messages{});

  // The window's own WM_COMMAND routing, for the hidden CmdHue too.
  const std::size_t hue = static_cast<std::size_t>(FindControl("CmdHue") - kControls);
  const HWND hueButton = form.ControlWindow(hue);
  quiet.txtZ3950.SetText(ExampleText("hue.txt"));
  ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hueButton), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hueButton));
  EXPECT_TEXT_EQ(quiet.txtZ3950.GetText(), ExampleText("hue.expected.txt"));
}

// WM_HOTKEY as Wine and Windows deliver it: posted to the window's queue,
// the id in wParam, the modifiers and the virtual key in lParam.
void DeliverHotkey(HWND form, const KeyCombination& keys) {
  ::PostMessageW(form, WM_HOTKEY, frmmain::win32::FrmMain::kHotkeyId,
                 MAKELPARAM(MOD_CONTROL | MOD_ALT | MOD_SHIFT, keys.windowsVirtualKey));
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

KeyCombination Keys(std::string_view written) {
  std::string error;
  return ParseKeyCombination(written, error).value();
}

TEST(FrmMain, TheHotkeyRepeatsTheButtonPressedLastAndTheFocusStaysWhereItWas) {
  frmmain::win32::FrmMain form(::GetModuleHandleW(nullptr));
  frmmain::test::FakeMessageBox messages;
  frmmain::test::FakeStacking stacking;
  FrmMainPorts ports = form.Ports();
  FrmMainPorts quiet{ports.txtZ3950, ports.clipboard, messages, stacking};
  const KeyCombination keys = Keys(kDefaultHotkey);
  form.StartHotkey(keys);
  EXPECT_EQ(form.NoticeTooltip(), nullptr) << "registered";
  const HWND focused = ::GetForegroundWindow();

  // Before any button: the copied record's layout says which.
  SetClipboardText(quiet.clipboard, messages, ExampleText("libol.txt"));
  DeliverHotkey(form.Handle(), keys);
  EXPECT_TEXT_EQ(quiet.clipboard.ReadText().value_or(u"(none)"), ExampleText("libol.expected.txt"));
  // After "LacViet (Dak Nong, Ca Mau, Hoi An)", pressed through the window's
  // own routing: its conversion, not Emiclib's, which shares the layout.
  SetClipboardText(quiet.clipboard, messages, ExampleText("lacviet.txt"));
  const std::size_t lacViet = static_cast<std::size_t>(FindControl("CmdDaNang") - kControls);
  const HWND button = form.ControlWindow(lacViet);
  ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  SetClipboardText(quiet.clipboard, messages, ExampleText("lacviet.txt"));
  DeliverHotkey(form.Handle(), keys);
  EXPECT_TEXT_EQ(quiet.txtZ3950.GetText(), ExampleText("lacviet.expected.txt"));
  EXPECT_TEXT_EQ(quiet.clipboard.ReadText().value_or(u"(none)"),
                 ExampleText("lacviet.expected.txt"));
  EXPECT_EQ(::GetForegroundWindow(), focused);
}

TEST(FrmMain, AKeyCombinationAnotherProgramRegisteredIsToldInTheTooltip) {
  const KeyCombination keys = Keys("Ctrl+Alt+Shift+K");
  OwnerWindow another;
  ASSERT_TRUE(::RegisterHotKey(another.handle, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT,
                               keys.windowsVirtualKey));
  frmmain::win32::FrmMain form(::GetModuleHandleW(nullptr));
  form.StartHotkey(keys);
  ASSERT_NE(form.NoticeTooltip(), nullptr);
  wchar_t text[512] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(form.ControlWindow(0));  // over the text box too
  tool.lpszText = text;
  ::SendMessageW(form.NoticeTooltip(), TTM_GETTEXTW, std::size(text),
                 reinterpret_cast<LPARAM>(&tool));
  EXPECT_TEXT_EQ(FromWide(text), HotkeyTakenNotice(u"Ctrl+Alt+Shift+K"));
  ::UnregisterHotKey(another.handle, 7);
}

TEST(FrmMain, GetTextAndSetTextMoveTextThroughTheClipboard) {
  frmmain::win32::FrmMain form(::GetModuleHandleW(nullptr));
  const HWND edit = MakeEdit(ES_AUTOHSCROLL);
  ::SetWindowTextW(edit, frmmain::win32::ToWide(kVietnamese).c_str());
  ::SendMessageW(edit, EM_SETSEL, 3, 6);
  EXPECT_TEXT_EQ(form.Get_Text(edit), kVietnamese);
  DWORD start = 0, end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u) << "the caret goes back to the selection's start";
  EXPECT_EQ(end, 3u) << "and the selection ends";

  ::SendMessageW(edit, EM_SETSEL, 0, 5);  // «Tiếng»
  form.Set_Text(edit, u"N\u00F3i");       // «Nói»
  std::wstring pasted(32, L'\0');
  pasted.resize(static_cast<std::size_t>(::GetWindowTextW(edit, pasted.data(), 32)));
  EXPECT_EQ(pasted, L"N\u00F3i Vi\u1EC7t");
  EXPECT_EQ(form.Ports().clipboard.ReadText(), Text(u"N\u00F3i"));
  ::DestroyWindow(edit);
}

TEST(FrmMain, ABoxControlReplacedForALongTextIsTheWindowsFromThenOn) {
  frmmain::win32::FrmMain form(::GetModuleHandleW(nullptr));
  form.ShowNotice(u"a notice");
  auto& box = static_cast<frmmain::win32::RichEditTextBox&>(form.Ports().txtZ3950);
  const HWND first = form.ControlWindow(0);
  const Text longText(
      static_cast<std::size_t>(frmmain::win32::RichEditTextBox::kLongestTextReplacedInPlace) + 1,
      u'x');
  box.SetText(longText);
  box.Show();
  box.SetText(u"short");
  box.Show();
  ASSERT_NE(form.ControlWindow(0), first);
  EXPECT_EQ(form.ControlWindow(0), box.Control());
  wchar_t text[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(form.ControlWindow(0));
  tool.lpszText = text;
  ::SendMessageW(form.NoticeTooltip(), TTM_GETTEXTW, std::size(text),
                 reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(text), L"a notice");
}

TEST(Utf8ToText, DecodesUtf8BytesHeldOnePerCharacter) {
  // The UTF-8 bytes of «Tiếng Việt», each read as a character of the ANSI
  // code page, as a single-byte program would hold them.
  const std::string bytes = encodings::EncodeUtf8(kVietnamese);
  std::wstring ansi(bytes.size(), L'\0');
  ansi.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), ansi.data(),
                            static_cast<int>(ansi.size()))));
  EXPECT_TEXT_EQ(frmmain::win32::Utf8ToText(frmmain::win32::FromWide(ansi)), kVietnamese);
  EXPECT_TEXT_EQ(frmmain::win32::Utf8ToText(u""), u"");
  EXPECT_TEXT_EQ(frmmain::win32::Utf8ToText(u"245=00$aT"), u"245=00$aT");
}

}  // namespace
}  // namespace velmora::frmmain::win32
