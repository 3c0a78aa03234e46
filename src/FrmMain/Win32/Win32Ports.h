// The window's ports over the Windows API: the EDIT control TxtZ3950, the
// system clipboard, MessageBoxW and the window's stacking.
#pragma once

#include <functional>

#include "FrmMain/Ports.h"
#include "FrmMain/Win32/WindowsApi.h"

namespace velmora::frmmain::win32 {

// TxtZ3950 over a multi-line EDIT control, which gives back exactly what was
// set, CRLF included, and turns a typed or pasted line break into CRLF.
class EditTextBox final : public TextBox {
 public:
  explicit EditTextBox(HWND edit) : edit_(edit) {}
  void SetText(TextView text) override;
  Text GetText() const override;

 private:
  HWND edit_;
};

// The clipboard's CF_UNICODETEXT. Another program may hold the clipboard
// open for a moment: opening it is tried kOpenAttempts times with
// `betweenAttempts` in between (by default a pause; about 100 ms in all)
// before a read or write gives up. The window owns what it writes.
class Win32Clipboard final : public Clipboard {
 public:
  static constexpr int kOpenAttempts = 5;

  explicit Win32Clipboard(HWND owner, std::function<void()> betweenAttempts = PauseBriefly);
  bool OffersText() override;
  // The block's text up to its first NUL, at most its size in bytes / 2 - 1
  // units; nothing when the clipboard cannot be opened or gives no block.
  std::optional<Text> ReadText() override;
  void WriteText(TextView text) override;

  static void PauseBriefly();

 private:
  bool Open();

  HWND owner_;
  std::function<void()> betweenAttempts_;
};

// MessageBoxW titled "Velmora" with an OK button, modal over the window.
class Win32MessageBox final : public MessageBox {
 public:
  explicit Win32MessageBox(HWND owner) : owner_(owner) {}
  void Show(TextView message) override;
  void ShowFailure(std::string_view description) override;

 private:
  HWND owner_;
};

// The window's stacking through the stacking module.
class Win32Stacking final : public WindowStacking {
 public:
  explicit Win32Stacking(HWND form) : form_(form) {}
  void SetOnTop() override;
  void SetNotOnTop() override;

 private:
  HWND form_;
};

// Texts between the core and the Windows API: both UTF-16.
inline std::wstring ToWide(TextView text) {
  return std::wstring(text.begin(), text.end());
}
inline Text FromWide(std::wstring_view text) {
  return Text(text.begin(), text.end());
}

}  // namespace velmora::frmmain::win32
