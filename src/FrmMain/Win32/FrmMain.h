// FrmMain: the system's only window, native on Windows. A narrow column at
// the screen's bottom-right corner, above other windows: the text box
// TxtZ3950 (a RichEdit control) and the buttons, laid out in twips for the
// monitor's DPI.
#pragma once

#include <array>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "FrmMain/FormLayout.h"
#include "FrmMain/HotkeyCommand.h"
#include "FrmMain/KeyCombination.h"
#include "FrmMain/Ports.h"
#include "FrmMain/Win32/Win32Ports.h"
#include "FrmMain/Win32/WindowsApi.h"

namespace velmora::frmmain::win32 {

class FrmMain {
 public:
  // Creates the window and its controls, hidden.
  explicit FrmMain(HINSTANCE instance);
  ~FrmMain();
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  // Start-up: places the window at the screen's bottom-right corner, shows
  // it and puts it on top.
  void Form_Load();

  // A single-line EDIT's whole text, taken by way of the clipboard: the
  // control copies all of its text (WM_COPY), then the clipboard's text is
  // read. The caret goes back to where the selection started. Nothing in the
  // window calls it.
  Text Get_Text(HWND textBox);
  // Puts sUni on the clipboard and has the window hWnd paste it at its
  // caret, in place of its selection (WM_PASTE). Nothing in the window calls it.
  void Set_Text(HWND hWnd, TextView sUni);

  // Registers `keys` as the hotkey, whichever program has the focus. When
  // it cannot be had (another program registered it), the window says so
  // once: see ShowNotice.
  void StartHotkey(const KeyCombination& keys);
  // Tells the user something once, without a message box: on standard
  // error when there is one, and in the window's tooltip while it is open.
  void ShowNotice(TextView notice);
  // The tooltip that shows the notices; nullptr before any.
  HWND NoticeTooltip() const { return tooltip_; }

  // The id of the hotkey's WM_HOTKEY.
  static constexpr int kHotkeyId = 1;

  HWND Handle() const { return form_; }
  // The control of kControls[i].
  HWND ControlWindow(std::size_t i) const { return controls_[i]; }
  // What the click handlers work on.
  FrmMainPorts& Ports() { return ports_->view; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Sizes the window, the controls and their fonts for `dpi` dots per inch.
  void LayOut(UINT dpi);
  void SetTooltipTool(HWND window, UINT message);
  void BoxReplaced(HWND fresh);

  static constexpr std::size_t kBoxIndex = static_cast<std::size_t>(&kTxtZ3950 - kControls);

  struct PortSet {
    PortSet(HWND form, HWND edit, std::function<void(HWND)> boxReplaced)
        : box(edit, std::move(boxReplaced)),
          clipboard(form),
          messages(form, &box),
          stacking(form) {}
    PortSet(const PortSet&) = delete;  // `view` refers to the members
    PortSet& operator=(const PortSet&) = delete;
    RichEditTextBox box;
    Win32Clipboard clipboard;
    Win32MessageBox messages;
    Win32Stacking stacking;
    FrmMainPorts view{box, clipboard, messages, stacking};
  };

  HWND form_ = nullptr;
  std::array<HWND, std::size(kControls)> controls_{};
  std::array<HFONT, 3> fonts_{};  // by ControlFont
  std::unique_ptr<PortSet> ports_;
  HotkeyCommand hotkeyCommand_;
  bool hotkeyRegistered_ = false;
  HWND tooltip_ = nullptr;
  std::wstring notices_;  // the tooltip's text
};

// UTF-8 bytes held one per character, each character a byte of the system's
// single-byte (ANSI) code page: the bytes decoded as UTF-8. Empty when
// nothing decodes. Nothing in the window calls it.
Text Utf8ToText(TextView text);

}  // namespace velmora::frmmain::win32
