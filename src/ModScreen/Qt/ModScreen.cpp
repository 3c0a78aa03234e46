#include "ModScreen/Qt/ModScreen.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace velmora::modscreen {
namespace {

// How long after the window is first exposed its corner is watched. The
// window manager frames the window, and may move it, within a few event-loop
// turns; a move after this is the user's and is left alone.
constexpr int kSettleMilliseconds = 3000;

// The client position that puts the outer bottom-right corner on the primary
// screen's, over the taskbar or panel if one lies there.
QPoint BottomRightClientPosition(const QWindow& window) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();  // not the work area
  const QMargins frame = window.frameMargins();  // 0 until the window is framed
  return {screen.x() + screen.width() - frame.right() - window.width(),
          screen.y() + screen.height() - frame.bottom() - window.height()};
}

// Watches the native window while it settles and places it again whenever
// its client is not where the corner needs it. The target is computed from
// the frame margins and the client position that the window system reports,
// never from a frame position: the two can disagree for a moment while the
// window manager reparents the window.
class BottomRightKeeper final : public QObject {
 public:
  explicit BottomRightKeeper(QWindow& window)
      : QObject(&window), window_(window), deadline_(QDeadlineTimer::Forever) {
    window_.installEventFilter(this);
    Place();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_) {
      switch (event->type()) {
        case QEvent::Expose:
          if (deadline_.isForever()) deadline_.setRemainingTime(kSettleMilliseconds);
          Place();
          break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
          Place();
          break;
        default:
          break;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Place() {
    if (deadline_.hasExpired()) {
      window_.removeEventFilter(this);
      deleteLater();
      return;
    }
    const QPoint target = BottomRightClientPosition(window_);
    if (window_.position() != target) window_.setPosition(target);
  }

  QWindow& window_;
  QDeadlineTimer deadline_;
};

QWindow& NativeWindow(QWidget& form) {
  form.winId();  // creates the native window once; later calls return the same one
  return *form.windowHandle();
}

void SetStaysOnTop(QWidget& form, bool onTop) {
  QWindow& window = NativeWindow(form);
  const Qt::WindowFlags flags = onTop ? form.windowFlags() | Qt::WindowStaysOnTopHint
                                      : form.windowFlags() & ~Qt::WindowStaysOnTopHint;
  // overrideWindowFlags keeps QWidget's view of the flags in step without
  // re-creating the native window, as setWindowFlags() would; setFlags on the
  // native window then adds or removes _NET_WM_STATE_ABOVE in place.
  form.overrideWindowFlags(flags);
  window.setFlags(flags);
}

}  // namespace

void SetWindowOnTop(QWidget& form) {
  SetStaysOnTop(form, true);
  form.raise();
  form.activateWindow();
}

void SetWindowNotOnTop(QWidget& form) {
  SetStaysOnTop(form, false);
}

void PlaceAtBottomRight(QWidget& form) {
  new BottomRightKeeper(NativeWindow(form));
}

}  // namespace velmora::modscreen
