#include "FrmMain/Qt/X11Hotkey.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>

namespace velmora::frmmain::qt {

X11Hotkey::X11Hotkey(const KeyCombination& keys, std::function<void()> pressed)
    : pressed_(std::move(pressed)) {
  const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;  // NotOnX11
  grab_ = std::make_unique<X11KeyGrab>(x11->connection(), keys);
  switch (grab_->outcome()) {
    case X11KeyGrab::Outcome::Grabbed:
      outcome_ = Outcome::Grabbed;
      QCoreApplication::instance()->installNativeEventFilter(this);
      break;
    case X11KeyGrab::Outcome::TakenByAnotherClient:
      outcome_ = Outcome::TakenByAnotherClient;
      break;
    case X11KeyGrab::Outcome::NoSuchKey:
      outcome_ = Outcome::NoSuchKey;
      break;
  }
}

X11Hotkey::~X11Hotkey() {
  if (outcome_ == Outcome::Grabbed) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11Hotkey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto& event = *static_cast<const xcb_generic_event_t*>(message);
  if ((event.response_type & 0x7F) == XCB_MAPPING_NOTIFY) {
    const auto& mapping = reinterpret_cast<const xcb_mapping_notify_event_t&>(event);
    if (mapping.request != XCB_MAPPING_POINTER) grab_->Regrab();
    return false;  // Qt takes the new keyboard map in too
  }
  if (grab_->IsRelease(event)) {
    held_ = false;
    lastRelease_ = reinterpret_cast<const xcb_key_release_event_t&>(event).time;
    return true;
  }
  if (!grab_->IsPress(event)) return false;
  // Holding the keys down repeats the press: with detectable auto-repeat as
  // presses without releases, else as a release and a press at one time.
  const xcb_timestamp_t time = reinterpret_cast<const xcb_key_press_event_t&>(event).time;
  const bool repeat = held_ || (lastRelease_ != 0 && time == lastRelease_);
  held_ = true;
  // Run outside Qt's handling of the X event: the conversion may open a
  // modal message box, whose event loop must not run inside it.
  if (!repeat) QMetaObject::invokeMethod(this, pressed_, Qt::QueuedConnection);
  return true;
}

}  // namespace velmora::frmmain::qt
