#include "FrmMain/Win32/Win32Ports.h"

#include <cstring>

#include <richedit.h>

#include "ModScreen/Win32/ModScreen.h"

namespace velmora::frmmain::win32 {
namespace {

constexpr DWORD kPauseMilliseconds = 25;
constexpr UINT kUtf16CodePage = 1200;
constexpr LPARAM kMaximumTextLength = 0x7FFFFFFE;

// Closes the clipboard that Open opened, on every path.
struct ClipboardCloser {
  ~ClipboardCloser() { ::CloseClipboard(); }
};

// Unlocks a locked global memory block on every path.
struct BlockUnlocker {
  HGLOBAL block;
  ~BlockUnlocker() { ::GlobalUnlock(block); }
};

// UTF-8 -> UTF-16, invalid bytes as U+FFFD.
std::wstring FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

HWND CreateRichEditControl(HWND parent, int id) {
  static const HMODULE library = ::LoadLibraryW(L"Msftedit.dll");  // registers the class
  if (library == nullptr) return nullptr;
  const HWND control = ::CreateWindowExW(
      WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
          ES_WANTRETURN | ES_NOHIDESEL,
      0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control == nullptr) return nullptr;
  // Plain text: pasted formatting and pictures are left out, as in an EDIT.
  ::SendMessageW(control, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
  ::SendMessageW(control, EM_EXLIMITTEXT, 0, kMaximumTextLength);  // 0 would mean 64 K
  return control;
}

void RichEditTextBox::SetText(TextView text) {
  lastSet_ = text;
  pending_ = true;
}

namespace {

// A new control in `old`'s place (position, tab order, focus), and `old`
// destroyed; `old` itself when no new one can be made. Its font is the
// window's to give: Wine's RichEdit gives none back (WM_GETFONT).
HWND FreshControlInPlaceOf(HWND old) {
  const HWND parent = ::GetParent(old);
  const HWND fresh = CreateRichEditControl(parent, ::GetDlgCtrlID(old));
  if (fresh == nullptr) return old;  // kept: slow to replace, but nothing lost
  RECT place{};
  ::GetWindowRect(old, &place);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
  ::SetWindowPos(fresh, old, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOACTIVATE);
  // Focused only where the old one was and its window is the active one:
  // SetFocus would activate it, taking the focus from another program.
  const bool focused =
      ::GetFocus() == old && ::GetForegroundWindow() == ::GetAncestor(parent, GA_ROOT);
  ::DestroyWindow(old);
  if (focused) ::SetFocus(fresh);
  return fresh;
}

}  // namespace

void RichEditTextBox::Show() {
  if (!pending_) return;
  pending_ = false;
  if (::GetWindowTextLengthW(control_) > kLongestTextReplacedInPlace ||
      lastSet_.size() > static_cast<std::size_t>(kLongestTextReplacedInPlace)) {
    const HWND fresh = FreshControlInPlaceOf(control_);
    if (fresh != control_) {
      control_ = fresh;
      if (replaced_) replaced_(fresh);
    }
  }
  // Redrawn once, after the whole text is in.
  ::SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
  const std::wstring wide = ToWide(lastSet_);
  SETTEXTEX how{ST_DEFAULT, kUtf16CodePage};
  ::SendMessageW(control_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
                 reinterpret_cast<LPARAM>(wide.c_str()));
  ::SendMessageW(control_, EM_SETMODIFY, FALSE, 0);
  ::SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(control_, nullptr, TRUE);
}

Text RichEditTextBox::GetText() const {
  // Untouched since it was set: the control turns a lone CR or LF into a
  // paragraph break, read back as CRLF, so the text set is given back.
  if (pending_ || ::SendMessageW(control_, EM_GETMODIFY, 0, 0) == 0) return lastSet_;
  GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, kUtf16CodePage};
  const auto units = static_cast<std::size_t>(
      ::SendMessageW(control_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
  std::wstring text(units + 1, L'\0');
  GETTEXTEX how{};
  how.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  how.flags = GT_USECRLF;
  how.codepage = kUtf16CodePage;
  text.resize(static_cast<std::size_t>(::SendMessageW(control_, EM_GETTEXTEX,
                                                      reinterpret_cast<WPARAM>(&how),
                                                      reinterpret_cast<LPARAM>(text.data()))));
  return FromWide(text);
}

Win32Clipboard::Win32Clipboard(HWND owner, std::function<void()> betweenAttempts)
    : owner_(owner), betweenAttempts_(std::move(betweenAttempts)) {}

void Win32Clipboard::PauseBriefly() {
  ::Sleep(kPauseMilliseconds);
}

bool Win32Clipboard::Open() {
  for (int attempt = 1;; ++attempt) {
    if (::OpenClipboard(owner_)) return true;
    if (attempt == kOpenAttempts) return false;
    betweenAttempts_();
  }
}

bool Win32Clipboard::OffersText() {
  return ::IsClipboardFormatAvailable(CF_UNICODETEXT);
}

std::optional<Text> Win32Clipboard::ReadText() {
  if (!Open()) return std::nullopt;
  const ClipboardCloser closer;
  const HANDLE block = ::GetClipboardData(CF_UNICODETEXT);
  if (block == nullptr) return std::nullopt;
  const auto* units = static_cast<const char16_t*>(::GlobalLock(block));
  if (units == nullptr) return std::nullopt;
  const BlockUnlocker unlocker{block};
  // Room for size / 2 - 1 units before the terminator; the text may end sooner.
  const SIZE_T size = ::GlobalSize(block);
  const std::size_t room = size >= 2 ? size / 2 - 1 : 0;
  std::size_t length = 0;
  while (length < room && units[length] != u'\0') ++length;
  return Text(units, length);
}

void Win32Clipboard::WriteText(TextView text) {
  if (!Open()) return;
  const ClipboardCloser closer;
  ::EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
  const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (block == nullptr) return;
  if (void* units = ::GlobalLock(block)) {
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));  // the terminator is zeroed
    ::GlobalUnlock(block);
    // From here the block is the clipboard's; a refused block stays ours.
    if (::SetClipboardData(CF_UNICODETEXT, block) != nullptr) return;
  }
  ::GlobalFree(block);
}

void Win32MessageBox::Show(TextView message) {
  if (box_ != nullptr) box_->Show();
  ::MessageBoxW(owner_, ToWide(message).c_str(), ToWide(kApplicationTitle).c_str(), MB_OK);
}

void Win32MessageBox::ShowFailure(std::string_view description) {
  if (box_ != nullptr) box_->Show();
  ::MessageBoxW(owner_, FromUtf8(description).c_str(), ToWide(kApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

void Win32Stacking::SetOnTop() {
  modscreen::SetWindowOnTop(form_);
}

void Win32Stacking::SetNotOnTop() {
  modscreen::SetWindowNotOnTop(form_);
}

}  // namespace velmora::frmmain::win32
