// The window's place and stacking: on top comes and goes in place, and the
// outer bottom-right corner lands on the screen's and stays there while the
// window settles. Offscreen there is no frame; on a real X server with a
// window manager the frame counts.
#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include "ModScreen/Qt/ModScreen.h"

namespace {

QPoint OuterBottomRight(const QWidget& form) {
  const QRect frame = form.windowHandle()->frameGeometry();
  return {frame.x() + frame.width(), frame.y() + frame.height()};
}

QPoint ScreenBottomRight() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  return {screen.x() + screen.width(), screen.y() + screen.height()};
}

}  // namespace

class ModScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void onTopComesAndGoesInPlace() {
    QWidget form;
    form.setFixedSize(173, 433);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const WId native = form.winId();
    const QRect geometry = form.geometry();
    for (int round = 0; round < 2; ++round) {  // pressing either again repeats it
      velmora::modscreen::SetWindowOnTop(form);
      QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      QVERIFY(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
      velmora::modscreen::SetWindowNotOnTop(form);
      QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      QVERIFY(!form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    }
    velmora::modscreen::SetWindowOnTop(form);
    QCOMPARE(form.winId(), native);  // never re-created, so never unmapped
    QVERIFY(form.isVisible());
    QTest::qWait(50);
    QCOMPARE(form.geometry(), geometry);
  }

  void placedWithTheOuterCornerOnTheScreensCorner() {
    QWidget form;
    form.setFixedSize(173, 433);
    velmora::modscreen::PlaceAtBottomRight(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(OuterBottomRight(form), ScreenBottomRight());
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
      QVERIFY(!form.windowHandle()->frameMargins().isNull());  // a window manager framed it
    }
  }

  void aMoveWhileTheWindowSettlesIsUndone() {
    QWidget form;
    form.setFixedSize(173, 433);
    velmora::modscreen::PlaceAtBottomRight(form);
    form.show();
    QTRY_COMPARE(OuterBottomRight(form), ScreenBottomRight());
    form.windowHandle()->setPosition(10, 10);
    QTRY_COMPARE(OuterBottomRight(form), ScreenBottomRight());
  }
};

int main(int argc, char* argv[]) {
  if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qInfo("no DISPLAY: skipped");
    return 77;
  }
  QApplication application(argc, argv);
  ModScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ModScreenTest.moc"
