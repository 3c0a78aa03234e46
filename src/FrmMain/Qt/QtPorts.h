// The window's ports over Qt: the text box TxtZ3950, the system clipboard and
// the message box.
#pragma once

#include <QString>

#include "FrmMain/Ports.h"

class QPlainTextEdit;
class QWidget;

namespace velmora::frmmain::qt {

// TxtZ3950 over a QPlainTextEdit. QPlainTextEdit keeps text as blocks and
// turns CRLF, a lone CR or LF, U+2029 and more into block breaks, and its
// toPlainText() writes LF, and a space for U+00A0. So the box gives back
// exactly what was last set while the user has not edited it, and otherwise
// the raw block texts joined with CRLF.
class TxtZ3950Box final : public TextBox {
 public:
  explicit TxtZ3950Box(QPlainTextEdit& edit);
  void SetText(TextView text) override;
  Text GetText() const override;

 private:
  QPlainTextEdit& edit_;
  QString lastSet_;
};

// The system clipboard through QClipboard, mode Clipboard (on X11 the
// CLIPBOARD selection, not PRIMARY). CRLF is written as LF; Qt hands LF to
// each platform in its own convention.
class QtClipboard final : public Clipboard {
 public:
  bool OffersText() override;
  std::optional<Text> ReadText() override;
  void WriteText(TextView text) override;
};

// QMessageBox, modal over the window.
class QtMessageBox final : public MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
  void Show(TextView message) override;
  void ShowFailure(std::string_view description) override;

 private:
  QWidget* parent_;
};

// The window's stacking through the stacking module.
class QtStacking final : public WindowStacking {
 public:
  explicit QtStacking(QWidget& form) : form_(form) {}
  void SetOnTop() override;
  void SetNotOnTop() override;

 private:
  QWidget& form_;
};

}  // namespace velmora::frmmain::qt
