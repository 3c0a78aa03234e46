#include "FrmMain/Qt/FrmMain.h"

#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

#include "Encodings/CodePage.h"
#include "FrmMain/ClipboardText.h"
#include "FrmMain/FormLayout.h"
#include "FrmMain/Qt/QtText.h"
#include "FrmMain/Qt/WrappingButton.h"
#include "FrmMain/Qt/X11Hotkey.h"
#include "ModScreen/Qt/ModScreen.h"

namespace velmora::frmmain::qt {
namespace {

// Qt lays out in device-independent pixels, which stand for 96 dots per
// inch, so twips convert at 15 to the pixel and the layout scales with the
// screen.
constexpr int kTwipsPerPixel = kTwipsPerInch / 96;
constexpr int Px(int twips) {
  return twips / kTwipsPerPixel;
}

constexpr bool InWholePixels(const Control& c) {
  return c.left % kTwipsPerPixel == 0 && c.top % kTwipsPerPixel == 0 &&
         c.width % kTwipsPerPixel == 0 && c.height % kTwipsPerPixel == 0;
}
static_assert(std::all_of(std::begin(kControls), std::end(kControls), InWholePixels));
static_assert(kClientWidthTwips % kTwipsPerPixel == 0 && kClientHeightTwips % kTwipsPerPixel == 0);

QFont FontOf(ControlFont font) {
  QFont result(Latin1(kFontFamily));
  result.setPointSizeF(PointSize(font));
  result.setWeight(static_cast<QFont::Weight>(Weight(font)));
  return result;
}

// The byte of the single-byte code page Windows-1252 for `ch`, "?" for a
// character the code page lacks.
char Windows1252Byte(char16_t ch) {
  constexpr char kUnmappable = '?';
  const encodings::CodePageBytes bytes = encodings::Windows1252().Encode(ch);
  return bytes.length == 1 ? static_cast<char>(bytes.first) : kUnmappable;
}

}  // namespace

FrmMain::FrmMain(QWidget* parent)
    : QWidget(parent),
      txtZ3950Edit_(new QPlainTextEdit(this)),
      txtZ3950_(*txtZ3950Edit_),
      messages_(this),
      stacking_(*this),
      ports_{txtZ3950_, clipboard_, messages_, stacking_} {
  setWindowTitle(Latin1(kFormCaption));
  setFixedSize(Px(kClientWidthTwips), Px(kClientHeightTwips));

  std::vector<std::pair<int, QWidget*>> tabOrder;
  for (const Control& c : kControls) {
    QWidget* control;
    if (c.click == nullptr) {
      control = txtZ3950Edit_;
    } else {
      auto* button = new WrappingButton(Latin1(c.caption), this);
      connect(button, &QPushButton::clicked, this, [this, &c] { hotkeyCommand_.Click(c, ports_); });
      control = button;
    }
    control->setObjectName(Latin1(c.name));
    control->setGeometry(Px(c.left), Px(c.top), Px(c.width), Px(c.height));
    control->setFont(FontOf(c.font));
    control->setVisible(c.visible);
    tabOrder.emplace_back(c.tabIndex, control);
  }
  std::sort(tabOrder.begin(), tabOrder.end());
  for (std::size_t i = 1; i < tabOrder.size(); ++i) {
    setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
  }

  txtZ3950Edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtZ3950Edit_->setTabChangesFocus(true);  // Tab moves on, as in the other controls
  txtZ3950Edit_->setFocus();
}

FrmMain::~FrmMain() = default;

void FrmMain::StartHotkey(const KeyCombination& keys) {
  hotkey_ = std::make_unique<X11Hotkey>(keys, [this] { PressHotkey(); });
  const Text written = ToText(Latin1(KeyCombinationText(keys)));
  switch (hotkey_->outcome()) {
    case X11Hotkey::Outcome::Grabbed:
      return;
    case X11Hotkey::Outcome::TakenByAnotherClient:
      ShowNotice(HotkeyTakenNotice(written));
      break;
    case X11Hotkey::Outcome::NoSuchKey:
      ShowNotice(HotkeyKeyMissingNotice(written));
      break;
    case X11Hotkey::Outcome::NotOnX11:
      ShowNotice(HotkeyUnavailableHereNotice(written));
      break;
  }
  hotkey_.reset();
}

void FrmMain::ShowNotice(TextView notice) {
  const QString text = ToQString(notice);
  std::fprintf(stderr, "velmora: %s\n", text.toLocal8Bit().constData());
  setToolTip(toolTip().isEmpty() ? text : toolTip() + QLatin1Char('\n') + text);
}

void FrmMain::Form_Load() {
  modscreen::PlaceAtBottomRight(*this);
  show();
  modscreen::SetWindowOnTop(*this);
}

Text FrmMain::Get_Text(QLineEdit& textBox) {
  const int selStart =
      textBox.selectionStart() >= 0 ? textBox.selectionStart() : textBox.cursorPosition();
  textBox.selectAll();
  textBox.copy();
  textBox.setCursorPosition(selStart);  // ends the selection too
  return GetClipboardText(clipboard_, messages_).value_or(Text());
}

void FrmMain::Set_Text(QWidget& edit, TextView sUni) {
  SetClipboardText(clipboard_, messages_, sUni);
  // Every Qt edit widget has a paste() slot; the outcome is not looked at.
  QMetaObject::invokeMethod(&edit, "paste");
}

Text Utf8ToText(TextView text) {
  if (text.empty()) return {};
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(text.size()));
  for (const char16_t ch : text) bytes.append(Windows1252Byte(ch));
  return ToText(QString::fromUtf8(bytes));
}

}  // namespace velmora::frmmain::qt
