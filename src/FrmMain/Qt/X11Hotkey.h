// The window's hotkey on X11: the key combination grabbed on the root
// windows of the X display Qt runs on, its presses taken from Qt's xcb
// events before Qt sees them. The window keeps the focus where it was.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <functional>
#include <memory>

#include "FrmMain/KeyCombination.h"
#include "FrmMain/Qt/X11KeyGrab.h"

namespace velmora::frmmain::qt {

class X11Hotkey final : public QObject, public QAbstractNativeEventFilter {
 public:
  enum class Outcome {
    Grabbed,
    TakenByAnotherClient,
    NoSuchKey,
    NotOnX11,  // Qt runs on another platform (Wayland, offscreen)
  };

  // Grabs `keys`; each press (not a key's auto-repeat) runs `pressed` from
  // the event loop, after the X event has been handled.
  X11Hotkey(const KeyCombination& keys, std::function<void()> pressed);
  ~X11Hotkey() override;

  Outcome outcome() const { return outcome_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  std::unique_ptr<X11KeyGrab> grab_;
  std::function<void()> pressed_;
  Outcome outcome_ = Outcome::NotOnX11;
  bool held_ = false;                // pressed and not yet released
  xcb_timestamp_t lastRelease_ = 0;  // a repeat's press comes at its release's time
};

}  // namespace velmora::frmmain::qt
