// What a click handler touches besides the conversions: the text box, the
// clipboard, the message box and the window's stacking. Each front end (Qt,
// Win32) supplies them over its window system; tests supply fakes. Nothing
// here includes a window system's header.
#pragma once

#include <optional>
#include <string_view>

#include "FrmMain/Messages.h"
#include "ModMain/Text/Text.h"

namespace velmora::frmmain {

// The multi-line text box TxtZ3950.
class TextBox {
 public:
  virtual ~TextBox() = default;
  // Replaces the whole content and shows it.
  virtual void SetText(TextView text) = 0;
  // The whole content: exactly what was set, and every line break that the
  // user typed or pasted as CRLF.
  virtual Text GetText() const = 0;
};

// The system clipboard, text only. Line breaks travel in the platform's own
// convention: WriteText takes CRLF breaks and hands them on as the platform
// wants them; ReadText gives the text as the platform has it.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Whether the clipboard offers text now.
  virtual bool OffersText() = 0;
  // The offered text; nothing when text is announced but cannot be had.
  virtual std::optional<Text> ReadText() = 0;
  // Replaces the clipboard's whole content by `text`, which holds no NUL.
  virtual void WriteText(TextView text) = 0;
};

// Modal message boxes titled kApplicationTitle with an OK button. Each call
// returns once the user has closed the box.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // One of the messages of FrmMain/Messages.h, shown without an icon.
  virtual void Show(TextView message) = 0;
  // The description of an unexpected failure that ended a command.
  virtual void ShowFailure(std::string_view description) = 0;
};

// The window's place in the stacking order (SetWindowOnTop and
// SetWindowNotOnTop of the window system's stacking module).
class WindowStacking {
 public:
  virtual ~WindowStacking() = default;
  // The window joins the windows that stay above all others, keeping its
  // place and size.
  virtual void SetOnTop() = 0;
  // The window leaves them and goes to the top of the ordinary windows.
  virtual void SetNotOnTop() = 0;
};

// The window as its click handlers see it.
struct FrmMainPorts {
  TextBox& txtZ3950;
  Clipboard& clipboard;
  MessageBox& messages;
  WindowStacking& stacking;
};

}  // namespace velmora::frmmain
