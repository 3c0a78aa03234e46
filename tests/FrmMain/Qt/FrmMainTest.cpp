// The real window in-process (offscreen, or a real X server): controls
// against the control table, every button clipboard to clipboard on the
// sample records, the three messages found and dismissed, a failure inside a
// rewrite, the text box's exact read-back, and the unused text transfers.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <stdexcept>

#include "FrmMain/Handlers.h"
#include "FrmMain/Qt/FrmMain.h"
#include "FrmMain/Qt/QtText.h"
#include "FrmMain/Qt/X11KeyGrab.h"
#include "ModMain/Records/MarcEditExport.h"
#include "ModMain/Records/Sources.h"
#include "ModMain/Text/LineBreaks.h"
#include "support/Files.h"

using velmora::Text;
using velmora::TextView;
using namespace velmora::frmmain;
using namespace velmora::frmmain::qt;

namespace {

// A bundled sample as copied on Linux: LF line breaks.
QString Example(const QString& name) {
  return QString::fromStdString(
      velmora::test::ReadFile(velmora::test::ExamplePath(name.toStdString())));
}

// As the box and the clipboard layer give a text back: every break as CRLF.
QString WithCrlf(const QString& text) {
  return ToQString(velmora::text::NormaliseLineBreaks(ToText(text)));
}

QString ClipboardText() {
  return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}
void SetClipboard(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
}

// A clipboard that refuses writes while another program's text stays on it.
class RefusingClipboard final : public Clipboard {
 public:
  bool OffersText() override { return true; }
  std::optional<Text> ReadText() override { return Text(u"another program's text"); }
  void WriteText(TextView) override {}
};

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

}  // namespace

class FrmMainTest : public QObject {
  Q_OBJECT

 private:
  FrmMain* window_ = nullptr;

  template <typename T = QPushButton>
  T* Control(const char* name) {
    T* control = window_->findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }
  QPlainTextEdit* Box() { return Control<QPlainTextEdit>("TxtZ3950"); }
  QString BoxText() { return ToQString(window_->Ports().txtZ3950.GetText()); }

  // Runs `action`; every message box it opens is recorded once and closed
  // with OK. A box stays the active modal widget until its OK click has been
  // handled, which on a busy machine can take longer than a poll: each box
  // is marked when it is recorded, so a later poll that sees it again
  // leaves it alone (a mark, not the address: a new box may take the
  // address of one already gone).
  QList<SeenBox> DismissingMessageBoxes(const std::function<void()>& action) {
    static constexpr char kRecorded[] = "velmoraTestRecorded";
    QList<SeenBox> seen;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || box->property(kRecorded).toBool()) return;
      box->setProperty(kRecorded, true);
      seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    poll.start();
    action();
    return seen;
  }

 private slots:
  void init() {
    window_ = new FrmMain;
    window_->Form_Load();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }
  void cleanup() {
    delete window_;
    window_ = nullptr;
  }

  void windowCaptionAndSize() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Velmora-Openbiblio Dravenne (30/07/2019)"));
    QCOMPARE(window_->size(), QSize(2595 / 15, 6495 / 15));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(BoxText(), QString());
  }

  void controls_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("visible");
    auto row = [](const char* name, const char* caption, int l, int t, int w, int h, double pt,
                  bool bold, bool visible = true) {
      QTest::newRow(name) << QString::fromLatin1(caption) << QRect(l, t, w, h) << pt << bold
                          << visible;
    };
    row("TxtZ3950", "", 0, 60, 2535, 2055, 8.25, false);
    row("CmdTvDakLak", "Ilib 4X-8X", 0, 2220, 1215, 375, 9.75, true);
    row("CmdLibol", "Libol", 1320, 2220, 1215, 375, 9.75, true);
    row("CmdTVHCM", "Emiclib (VLong, HCM)", 0, 2640, 2535, 375, 9.75, true);
    row("CmdDaNang", "LacViet (Dak Nong, Ca Mau, Hoi An)", 0, 3120, 2595, 615, 9.75, true);
    row("CmdLacViet", "Verbrary (Dong Nai)", 0, 3840, 2595, 375, 9.75, true);
    row("CmdChuyenMa", "To Pre-Unicode", 0, 4320, 2595, 375, 9.75, true);
    row("CmdHue", "Hue, Hai Phong", 0, 4320, 2595, 375, 9.75, true, false);
    row("CmdMracEditor", "TO MARCEDIT", 0, 4740, 2595, 375, 9.75, true);
    row("CmdOnTop", "Enable on Top", 0, 5220, 1095, 615, 9.75, false);
    row("CmdOnBottom", "Disable on Top", 1260, 5220, 1275, 615, 9.75, false);
  }
  void controls() {
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, visible);
    QWidget* control = Control<QWidget>(QTest::currentDataTag());
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      QCOMPARE(button->text(), caption);  // the exact caption, however it is drawn
    }
    QCOMPARE(control->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QCOMPARE(control->font().family(), QStringLiteral("Arial"));
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().weight(), bold ? QFont::Bold : QFont::Normal);
    QVERIFY(!control->font().italic() && !control->font().underline());
    QCOMPARE(control->isVisible(), visible);
  }

  void arialResolvesToItsMetricTwin() {
    const QString family = QFontInfo(Box()->font()).family();
    if (family != QStringLiteral("Arial") && family != QStringLiteral("Liberation Sans")) {
      QSKIP("fonts-liberation2 is not installed");
    }
    // The long captions need more than one line in their buttons.
    for (const char* name : {"CmdDaNang", "CmdOnTop", "CmdOnBottom"}) {
      QPushButton* button = Control(name);
      const QFontMetrics metrics(button->font());
      QVERIFY2(metrics.horizontalAdvance(button->text()) > button->width() - 8, name);
      const QRect wrapped =
          metrics.boundingRect(QRect(0, 0, button->width() - 8, 1000),
                               Qt::AlignCenter | Qt::TextWordWrap, button->text());
      QVERIFY2(wrapped.height() <= button->height(), name);
    }
  }

  void tabOrderFollowsTabIndex() {
    const QStringList expected = {"TxtZ3950",      "CmdTVHCM",    "CmdTvDakLak", "CmdLibol",
                                  "CmdMracEditor", "CmdLacViet",  "CmdChuyenMa", "CmdDaNang",
                                  "CmdOnTop",      "CmdOnBottom", "TxtZ3950"};
    QWidget* focus = Box();
    QStringList order = {focus->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
      do focus = focus->nextInFocusChain();
      while (!(focus->isVisible() && focus->focusPolicy() & Qt::TabFocus));  // CmdHue is skipped
      order << focus->objectName();
    }
    QCOMPARE(order, expected);
    QVERIFY(Box()->tabChangesFocus());
  }

  void everyButtonClipboardToClipboard_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("fromClipboard");
    QTest::addColumn<QString>("expected");
    for (const velmora::records::SourceSystem& source : velmora::records::Sources()) {
      const QString sample = QString::fromLatin1(source.sample.data(), source.sample.size());
      QTest::newRow(source.control.data())
          << sample + ".txt" << (source.input == velmora::records::InputFrom::Clipboard)
          << sample + ".expected.txt";
    }
    QTest::newRow("CmdMracEditor") << "libol.expected.txt" << false << "marcedit.expected.txt";
  }
  void everyButtonClipboardToClipboard() {
    QFETCH(QString, input);
    QFETCH(bool, fromClipboard);
    QFETCH(QString, expected);
    QPushButton* button = Control(QTest::currentDataTag());
    if (fromClipboard) {
      SetClipboard(Example(input));  // as copied on Linux: LF line breaks
    } else {
      window_->Ports().txtZ3950.SetText(ToText(WithCrlf(Example(input))));
      SetClipboard(QStringLiteral("older clipboard text"));
    }
    QList<SeenBox> seen;
    if (button->isVisible()) {
      seen = DismissingMessageBoxes([&] { QTest::mouseClick(button, Qt::LeftButton); });
    } else {
      seen = DismissingMessageBoxes([&] { button->click(); });  // CmdHue: hidden, wired
    }
    QCOMPARE(seen.size(), 0);
    QCOMPARE(BoxText(), WithCrlf(Example(expected)));
    QCOMPARE(ClipboardText(), Example(expected));  // CRLF goes out as LF here
  }

  void toPreUnicodeJoinsToneMarks() {
    // «Việt Nam»: ê U+00EA + dot below U+0323 becomes ệ U+1EC7; tab and breaks stay.
    SetClipboard(QString::fromUtf16(u"Vi\u00EA\u0323t\tNam\n$a:"));
    QTest::mouseClick(Control("CmdChuyenMa"), Qt::LeftButton);
    QCOMPARE(BoxText(), QString::fromUtf16(u"Vi\u1EC7t\tNam\r\n$a:"));
    QCOMPARE(ClipboardText(), QString::fromUtf16(u"Vi\u1EC7t\tNam\n$a:"));
  }

  void marcEditAfterASourceButtonUsesTheBoxNotTheClipboard() {
    SetClipboard(Example(QStringLiteral("libol.txt")));
    QTest::mouseClick(Control("CmdLibol"), Qt::LeftButton);
    SetClipboard(QStringLiteral("copied meanwhile elsewhere"));
    QTest::mouseClick(Control("CmdMracEditor"), Qt::LeftButton);
    QCOMPARE(BoxText(), WithCrlf(Example(QStringLiteral("marcedit.expected.txt"))));
    QCOMPARE(ClipboardText(), Example(QStringLiteral("marcedit.expected.txt")));
  }

  void handEditedTextIsConvertedAsEdited() {
    SetClipboard(Example(QStringLiteral("libol.txt")));
    QTest::mouseClick(Control("CmdLibol"), Qt::LeftButton);
    Box()->setFocus();
    Box()->selectAll();
    QTest::keyClicks(Box(), QStringLiteral("245=00$aTyped"));
    QTest::keyClick(Box(), Qt::Key_Return);
    QTest::keyClicks(Box(), QStringLiteral("%100=##$aT"));
    QTest::sendKeyEvent(QTest::Click, Box(), Qt::Key_unknown, QString::fromUtf16(u"\u00F4"),
                        Qt::NoModifier);  // ô U+00F4
    const QString typed = QString::fromUtf16(u"245=00$aTyped\r\n%100=##$aT\u00F4");
    QCOMPARE(BoxText(), typed);  // the typed break reads as CRLF
    QTest::mouseClick(Control("CmdMracEditor"), Qt::LeftButton);
    QCOMPARE(BoxText(), ToQString(velmora::records::ExportMarcEdit(ToText(typed))));
    QCOMPARE(WithCrlf(ClipboardText()), BoxText());
  }

  void noTextOnTheClipboardIsToldTheEmptyTextConvertedAndTheImageKept() {
    window_->Ports().txtZ3950.SetText(u"earlier result");
    auto* image = new QMimeData;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    image->setImageData(red);
    QGuiApplication::clipboard()->setMimeData(image);
    const QList<SeenBox> seen =
        DismissingMessageBoxes([&] { QTest::mouseClick(Control("CmdLibol"), Qt::LeftButton); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Velmora"));
    QCOMPARE(seen[0].text, QStringLiteral("Clipboard Text Is Not available now"));
    QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    const QString emptyRecord = ToQString(velmora::records::ConvertRecord(
        velmora::records::SourceOf(velmora::records::SourceId::Libol), u""));
    QCOMPARE(BoxText(), emptyRecord);
    const QMimeData* kept = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    QVERIFY(kept != nullptr && kept->hasImage());
    QVERIFY(!kept->hasText());
  }

  // The window's own buttons tell the hotkey which conversion to repeat.
  void theHotkeyRepeatsTheConversionButtonPressedLast() {
    SetClipboard(Example(QStringLiteral("lacviet.txt")));
    window_->PressHotkey();  // before any button: the layout's first button, Emiclib's
    QCOMPARE(BoxText(), ToQString(velmora::records::ConvertRecord(
                            velmora::records::SourceOf(velmora::records::SourceId::Emiclib),
                            ToText(WithCrlf(Example(QStringLiteral("lacviet.txt")))))));
    QTest::mouseClick(Control("CmdDaNang"), Qt::LeftButton);  // LacViet
    QTest::mouseClick(Control("CmdOnTop"), Qt::LeftButton);   // not a conversion
    SetClipboard(Example(QStringLiteral("lacviet.txt")));
    window_->PressHotkey();
    QCOMPARE(BoxText(), WithCrlf(Example(QStringLiteral("lacviet.expected.txt"))));
    QCOMPARE(ClipboardText(), Example(QStringLiteral("lacviet.expected.txt")));
  }

  void aHotkeyThatCannotBeHadIsToldInTheTooltipNotInABox() {
    std::string error;
    const auto keys = ParseKeyCombination("Ctrl+Alt+Shift+M", error);
    QVERIFY(keys.has_value());
    QList<SeenBox> seen;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
      // Another client of the same X server holds it.
      xcb_connection_t* another = xcb_connect(nullptr, nullptr);
      QVERIFY(xcb_connection_has_error(another) == 0);
      {
        const X11KeyGrab grab(another, *keys);
        QCOMPARE(grab.outcome(), X11KeyGrab::Outcome::Grabbed);
        seen = DismissingMessageBoxes([&] { window_->StartHotkey(*keys); });
      }
      xcb_disconnect(another);
      QCOMPARE(window_->toolTip(),
               QStringLiteral("The key combination Ctrl+Alt+Shift+M is taken by another program, "
                              "so Velmora has no hotkey: start it with --hotkey and another "
                              "combination to have one."));
    } else {
      seen = DismissingMessageBoxes([&] { window_->StartHotkey(*keys); });
      QVERIFY(window_->toolTip().contains(QStringLiteral("Ctrl+Alt+Shift+M")));
    }
    QCOMPARE(seen.size(), 0);
  }

  void aRefusedClipboardWriteIsToldAndTheBoxKeepsTheResult() {
    SetClipboard(QStringLiteral("245    10$aT"));
    RefusingClipboard refusing;
    FrmMainPorts ports{window_->Ports().txtZ3950, refusing, window_->Ports().messages,
                       window_->Ports().stacking};
    const QList<SeenBox> seen = DismissingMessageBoxes([&] { CmdMracEditor_Click(ports); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Velmora"));
    QCOMPARE(seen[0].text, QStringLiteral("Failed To Set Clipboard Text"));
    QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(BoxText(), ToQString(velmora::records::ExportMarcEdit(u"")));
    QCOMPARE(ClipboardText(), QStringLiteral("245    10$aT"));
  }

  void aFailureInsideARewriteIsShownAndEarlierStepsStay() {
    SetClipboard(QStringLiteral("copied"));
    const auto failing = [](TextView) -> Text { throw std::runtime_error("gave up"); };
    const QList<SeenBox> seen = DismissingMessageBoxes(
        [&] { RunConversion(window_->Ports(), velmora::records::InputFrom::Clipboard, failing); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Velmora"));
    QCOMPARE(seen[0].text, QStringLiteral("gave up"));
    QCOMPARE(BoxText(), QStringLiteral("copied"));
    QCOMPARE(ClipboardText(), QStringLiteral("copied"));
    QVERIFY(window_->isVisible());  // the window goes on
  }

  void theBoxGivesBackExactlyWhatWasSet() {
    // CRLF, lone CR and LF, U+2028, U+2029, NBSP U+00A0, NUL, a lone surrogate.
    const Text tricky(u"a\r\nb\rc\nd\u2028e\u2029f\u00A0g\0h\xD800i", 19);
    window_->Ports().txtZ3950.SetText(tricky);
    QVERIFY(window_->Ports().txtZ3950.GetText() == tricky);
    // Once edited, each break the user sees is CRLF; NBSP and U+2028 stay.
    window_->Ports().txtZ3950.SetText(u"x\u00A0y\u2028z\nw");
    Box()->moveCursor(QTextCursor::End);
    QTest::keyClicks(Box(), QStringLiteral("!"));
    QCOMPARE(BoxText(), QString::fromUtf16(u"x\u00A0y\u2028z\r\nw!"));
  }

  void onTopButtonsTouchNeitherTheBoxNorTheClipboard() {
    window_->Ports().txtZ3950.SetText(u"kept");
    SetClipboard(QStringLiteral("also kept"));
    const WId native = window_->winId();
    const QRect geometry = window_->geometry();
    QTest::mouseClick(Control("CmdOnBottom"), Qt::LeftButton);
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::mouseClick(Control("CmdOnTop"), Qt::LeftButton);
    QVERIFY(window_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(window_->winId(), native);  // the native window was not re-created
    QCOMPARE(window_->geometry(), geometry);
    QVERIFY(window_->isVisible());
    QCOMPARE(BoxText(), QStringLiteral("kept"));
    QCOMPARE(ClipboardText(), QStringLiteral("also kept"));
  }

  void getTextAndSetTextGoByWayOfTheClipboard() {
    QLineEdit edit;
    edit.setText(QString::fromUtf16(u"Vi\u1EC7t Nam"));
    edit.setCursorPosition(3);
    QCOMPARE(ToQString(window_->Get_Text(edit)), QString::fromUtf16(u"Vi\u1EC7t Nam"));
    QCOMPARE(edit.cursorPosition(), 3);
    QVERIFY(!edit.hasSelectedText());
    QCOMPARE(ClipboardText(), QString::fromUtf16(u"Vi\u1EC7t Nam"));

    edit.setText(QStringLiteral("ab"));
    edit.setCursorPosition(1);
    window_->Set_Text(edit, Text(u"X\0Y", 3));  // only up to the NUL
    QCOMPARE(edit.text(), QStringLiteral("aXb"));
    QCOMPARE(ClipboardText(), QStringLiteral("X"));
  }

  void utf8ToTextDecodesBytesHeldOnePerCharacter() {
    QCOMPARE(ToQString(Utf8ToText(u"")), QString());
    // «Việt» in UTF-8 is 56 69 E1 BB 87 74; Windows-1252 shows E1 BB 87 as «á»‡»,
    // where ‡ is U+2021.
    QCOMPARE(ToQString(Utf8ToText(u"Vi\u00E1\u00BB\u2021t")), QString::fromUtf16(u"Vi\u1EC7t"));
    QCOMPARE(ToQString(Utf8ToText(u"plain")), QStringLiteral("plain"));
  }
};

int main(int argc, char* argv[]) {
  // The "gui" run needs an X server; anywhere else it is skipped, not failed.
  if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qInfo("no DISPLAY: skipped");
    return 77;
  }
  QApplication application(argc, argv);
  FrmMainTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "FrmMainTest.moc"
