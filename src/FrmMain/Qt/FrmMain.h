// FrmMain: the system's only window. A narrow column at the screen's bottom-
// right corner, above other windows: the text box TxtZ3950 and the buttons.
#pragma once

#include <QWidget>
#include <memory>

#include "FrmMain/HotkeyCommand.h"
#include "FrmMain/KeyCombination.h"
#include "FrmMain/Ports.h"
#include "FrmMain/Qt/QtPorts.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace velmora::frmmain::qt {

class X11Hotkey;

class FrmMain final : public QWidget {
  Q_OBJECT

 public:
  explicit FrmMain(QWidget* parent = nullptr);
  ~FrmMain() override;

  // Start-up: places the window at the screen's bottom-right corner, shows
  // it and puts it on top.
  void Form_Load();

  // A single-line edit's whole text, taken by way of the clipboard: the edit
  // copies all of its text, then the clipboard's text is read. The caret
  // goes back to where the selection started. Nothing in the window calls it.
  Text Get_Text(QLineEdit& textBox);
  // Puts sUni on the clipboard and has `edit` paste it at its caret, in place
  // of its selection. Nothing in the window calls it.
  void Set_Text(QWidget& edit, TextView sUni);

  // Takes `keys` as the hotkey, whichever program has the focus. When it
  // cannot be had (another program holds it, or the window system offers
  // no such thing), the window says so once: see ShowNotice.
  void StartHotkey(const KeyCombination& keys);
  // What the hotkey does: see HotkeyCommand.
  void PressHotkey() { hotkeyCommand_.Press(ports_); }

  // Tells the user something once, without a message box: on standard
  // error, and in the window's tooltip for as long as the window is open.
  void ShowNotice(TextView notice);

  // What the click handlers work on.
  FrmMainPorts& Ports() { return ports_; }

 private:
  QPlainTextEdit* txtZ3950Edit_;
  TxtZ3950Box txtZ3950_;
  QtClipboard clipboard_;
  QtMessageBox messages_;
  QtStacking stacking_;
  FrmMainPorts ports_;
  HotkeyCommand hotkeyCommand_;
  std::unique_ptr<X11Hotkey> hotkey_;
};

// UTF-8 bytes held one per character, each character being a byte of the
// single-byte code page Windows-1252 («Ã´» -> «ô»): the bytes decoded as
// UTF-8. Empty when nothing decodes. Characters the code page lacks count as
// "?". Nothing in the window calls it.
Text Utf8ToText(TextView text);

}  // namespace velmora::frmmain::qt
