#include "FrmMain/Win32/FrmMain.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "Encodings/Utf8.h"
#include "FrmMain/ClipboardText.h"
#include "FrmMain/Messages.h"
#include "FrmMain/Win32/ConsoleText.h"
#include "Messages/Translate.h"
#include "ModScreen/Win32/ModScreen.h"

#include <commctrl.h>

namespace velmora::frmmain::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraFrmMain";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = 0;
constexpr int kFirstControlId = 100;  // kControls[i] has the id kFirstControlId + i
constexpr double kPointsPerInch = 72;
constexpr WORD kIconResource = 1;

// The captions are ASCII; every char is its own code point.
std::wstring Widen(std::string_view latin1) {
  std::wstring wide;
  for (const char c : latin1) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

int Pixels(int twips, UINT dpi) {
  return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

HFONT MakeFont(ControlFont font, UINT dpi) {
  const int height = -static_cast<int>(std::lround(PointSize(font) * dpi / kPointsPerInch));
  return ::CreateFontW(height, 0, 0, 0, Weight(font), FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, Widen(kFontFamily).c_str());
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  // The application icon; none when the program was built without it.
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  ::RegisterClassExW(&windowClass);  // fails harmlessly when already registered
}

HWND CreateButton(HWND form, const Control& control, int id) {
  const DWORD visible = control.visible ? WS_VISIBLE : 0;
  return ::CreateWindowExW(0, L"BUTTON", Widen(control.caption).c_str(),
                           WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | visible, 0, 0, 0,
                           0, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                           nullptr);
}

}  // namespace

FrmMain::FrmMain(HINSTANCE instance) {
  RegisterWindowClass(instance, WindowProc);
  form_ = ::CreateWindowExW(kFormExStyle, kWindowClass, Widen(kFormCaption).c_str(), kFormStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  if (form_ == nullptr) throw std::runtime_error(messages::Tr("cannot create the window"));
  // Created in tab order, which is the order Tab visits them in.
  std::array<std::size_t, std::size(kControls)> byTabIndex{};
  for (std::size_t i = 0; i < byTabIndex.size(); ++i) byTabIndex[i] = i;
  std::sort(byTabIndex.begin(), byTabIndex.end(), [](std::size_t a, std::size_t b) {
    return kControls[a].tabIndex < kControls[b].tabIndex;
  });
  for (const std::size_t i : byTabIndex) {
    const int id = kFirstControlId + static_cast<int>(i);
    controls_[i] = kControls[i].click == nullptr ? CreateRichEditControl(form_, id)
                                                 : CreateButton(form_, kControls[i], id);
    if (controls_[i] == nullptr)
      throw std::runtime_error(messages::Tr("cannot create the window's controls"));
  }
  const HWND box = controls_[kBoxIndex];
  ports_ = std::make_unique<PortSet>(form_, box, [this](HWND fresh) { BoxReplaced(fresh); });
  LayOut(::GetDpiForWindow(form_));
  ::SetFocus(box);
}

FrmMain::~FrmMain() {
  if (hotkeyRegistered_) ::UnregisterHotKey(form_, kHotkeyId);
  if (tooltip_ != nullptr) ::DestroyWindow(tooltip_);
  if (form_ != nullptr) {
    ::SetWindowLongPtrW(form_, GWLP_USERDATA, 0);
    ::DestroyWindow(form_);
  }
  for (const HFONT font : fonts_) {
    if (font != nullptr) ::DeleteObject(font);
  }
}

void FrmMain::StartHotkey(const KeyCombination& keys) {
  const UINT modifiers =
      ((keys.modifiers & kCtrl) ? MOD_CONTROL : 0) | ((keys.modifiers & kAlt) ? MOD_ALT : 0) |
      ((keys.modifiers & kShift) ? MOD_SHIFT : 0) | ((keys.modifiers & kMeta) ? MOD_WIN : 0) |
      MOD_NOREPEAT;  // held down, it converts once
  hotkeyRegistered_ = ::RegisterHotKey(form_, kHotkeyId, modifiers, keys.windowsVirtualKey);
  if (hotkeyRegistered_) return;
  const Text written = FromWide(Widen(KeyCombinationText(keys)));
  ShowNotice(::GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED
                 ? HotkeyTakenNotice(written)
                 : HotkeyUnavailableHereNotice(written));
}

void FrmMain::ShowNotice(TextView notice) {
  WriteToStandardStream("velmora: " + encodings::EncodeUtf8(notice) + "\n", Stream::Error);
  if (!notices_.empty()) notices_ += L"\r\n";
  notices_ += ToWide(notice);
  const bool adding = tooltip_ == nullptr;
  if (adding) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form_,
                                 nullptr, nullptr, nullptr);
    // Wrapped a little wider than the window.
    ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0,
                   Pixels(4 * kClientWidthTwips / 3, ::GetDpiForWindow(form_)));
  }
  // One tool for the form's own area and one for each control, all with the
  // same text, so that the tip shows wherever the pointer rests.
  const UINT message = adding ? TTM_ADDTOOLW : TTM_UPDATETIPTEXTW;
  SetTooltipTool(form_, message);
  for (const HWND control : controls_) SetTooltipTool(control, message);
}

void FrmMain::SetTooltipTool(HWND window, UINT message) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form_;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = notices_.data();  // copied by the tooltip
  ::SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&tool));
}

// The box's control was replaced by a fresh one (see RichEditTextBox): laid
// out, given its font and the notices from now on.
void FrmMain::BoxReplaced(HWND fresh) {
  if (tooltip_ != nullptr) {
    SetTooltipTool(controls_[kBoxIndex], TTM_DELTOOLW);
    SetTooltipTool(fresh, TTM_ADDTOOLW);
  }
  controls_[kBoxIndex] = fresh;
  ::SendMessageW(fresh, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(kTxtZ3950.font)]), TRUE);
}

void FrmMain::Form_Load() {
  modscreen::PlaceAtBottomRight(form_);
  ::ShowWindow(form_, SW_SHOW);
  modscreen::SetWindowOnTop(form_);
}

void FrmMain::LayOut(UINT dpi) {
  RECT outer{0, 0, Pixels(kClientWidthTwips, dpi), Pixels(kClientHeightTwips, dpi)};
  ::AdjustWindowRectExForDpi(&outer, kFormStyle, FALSE, kFormExStyle, dpi);
  ::SetWindowPos(form_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  std::array<HFONT, 3> fonts{};
  for (std::size_t f = 0; f < fonts.size(); ++f)
    fonts[f] = MakeFont(static_cast<ControlFont>(f), dpi);
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const Control& c = kControls[i];
    // Edges from the twips edges, so that neighbours stay flush at any DPI.
    const int left = Pixels(c.left, dpi), top = Pixels(c.top, dpi);
    ::MoveWindow(controls_[i], left, top, Pixels(c.left + c.width, dpi) - left,
                 Pixels(c.top + c.height, dpi) - top, TRUE);
    ::SendMessageW(controls_[i], WM_SETFONT,
                   reinterpret_cast<WPARAM>(fonts[static_cast<std::size_t>(c.font)]), TRUE);
  }
  for (HFONT& font : fonts_) {
    if (font != nullptr) ::DeleteObject(font);
    font = fonts[static_cast<std::size_t>(&font - fonts_.data())];
  }
}

LRESULT CALLBACK FrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<FrmMain*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr || form->form_ != window) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int index = LOWORD(wParam) - kFirstControlId;
      if (HIWORD(wParam) == BN_CLICKED && index >= 0 &&
          index < static_cast<int>(controls_.size())) {
        hotkeyCommand_.Click(kControls[index], Ports());
        ports_->box.Show();
      }
      return 0;
    }
    case WM_HOTKEY:
      // Whichever program has the focus keeps it: the window is not activated.
      if (wParam == kHotkeyId) {
        hotkeyCommand_.Press(Ports());
        ports_->box.Show();
      }
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI, or its scale changed: the same
      // layout in that monitor's pixels, where the system suggests.
      LayOut(HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(form_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(form_, message, wParam, lParam);
  }
}

Text FrmMain::Get_Text(HWND textBox) {
  DWORD selStart = 0;
  ::SendMessageW(textBox, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), 0);
  ::SendMessageW(textBox, EM_SETSEL, 0, ::GetWindowTextLengthW(textBox));
  ::SendMessageW(textBox, WM_COPY, 0, 0);
  ::SendMessageW(textBox, EM_SETSEL, selStart, selStart);  // ends the selection too
  return GetClipboardText(ports_->clipboard, ports_->messages).value_or(Text());
}

void FrmMain::Set_Text(HWND hWnd, TextView sUni) {
  SetClipboardText(ports_->clipboard, ports_->messages, sUni);
  ::SendMessageW(hWnd, WM_PASTE, 0, 0);  // the outcome is not looked at
}

Text Utf8ToText(TextView text) {
  if (text.empty()) return {};
  const std::wstring wide = ToWide(text);
  const int length = static_cast<int>(wide.size());
  const int byteCount =
      ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(byteCount), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, bytes.data(), byteCount, nullptr, nullptr);
  std::wstring decoded(2 * bytes.size(), L'\0');
  const int decodedLength = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), byteCount,
                                                  decoded.data(), static_cast<int>(decoded.size()));
  return decodedLength == 0 ? Text()
                            : FromWide(std::wstring_view(decoded).substr(0, decodedLength));
}

}  // namespace velmora::frmmain::win32
