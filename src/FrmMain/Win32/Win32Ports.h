// The window's ports over the Windows API: the RichEdit control TxtZ3950, the
// system clipboard, MessageBoxW and the window's stacking.
#pragma once

#include <functional>

#include "FrmMain/Ports.h"
#include "FrmMain/Win32/WindowsApi.h"

namespace velmora::frmmain::win32 {

// TxtZ3950 over a multi-line RichEdit control (MSFTEDIT.DLL) in plain-text
// mode. Setting a text in Windows' EDIT control costs its whole line and
// word-wrap bookkeeping at once, redrawn or not (under Wine 70 ms for 2 KB,
// seconds for 1 MB); a RichEdit control with its redrawing held back during
// the update takes a few milliseconds for 2 KB. And a command sets the box
// twice (the copied text, then its result) before anything is painted: the
// box keeps the text last set and puts it into the control once, when the
// command is done (Show), so that a large copied text is never laid out
// only to be replaced. It gives back exactly what was last set while the
// user has not edited it; once edited, the control's text, every line break
// as CRLF.
//
// Wine's RichEdit deletes text in time that grows with its square (7 s for
// 200 000 units, minutes for 1 MB), and replacing the text deletes the old
// one; a long text put into a control that holds some text took it up to
// 47 s for 1 MB. So a long text, old or new, goes into a fresh control, in
// the same place and with the same focus; the old one is destroyed, which
// is quick. `replaced` is told the new control's window, to give it its font.
class RichEditTextBox final : public TextBox {
 public:
  explicit RichEditTextBox(HWND control, std::function<void(HWND)> replaced = {})
      : control_(control), replaced_(std::move(replaced)) {}
  void SetText(TextView text) override;
  Text GetText() const override;
  // Puts the text last set into the control, if it is not there yet: the
  // window calls it when a command is done and before a message box opens.
  void Show();
  HWND Control() const { return control_; }

  // The longest text set into, or kept by, the same control: deleting it
  // takes Wine some 60 ms.
  static constexpr int kLongestTextReplacedInPlace = 1 << 14;

 private:
  HWND control_;
  std::function<void(HWND)> replaced_;
  Text lastSet_;
  bool pending_ = false;  // lastSet_ is not in the control yet
};

// Creates the control for RichEditTextBox: multi-line, word-wrapped, a
// vertical scroll bar, plain text, as long a text as memory holds.
HWND CreateRichEditControl(HWND parent, int id);

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

// MessageBoxW titled "Velmora" with an OK button, modal over the window;
// the box shows its text while the message is up.
class Win32MessageBox final : public MessageBox {
 public:
  Win32MessageBox(HWND owner, RichEditTextBox* box) : owner_(owner), box_(box) {}
  void Show(TextView message) override;
  void ShowFailure(std::string_view description) override;

 private:
  HWND owner_;
  RichEditTextBox* box_;
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
