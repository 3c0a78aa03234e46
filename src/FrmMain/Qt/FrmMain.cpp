#include "FrmMain/Qt/FrmMain.h"

#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/FormLayout.h"
#include "FrmMain/Qt/QtText.h"
#include "FrmMain/Qt/WrappingButton.h"
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

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QFont FontOf(ControlFont font) {
  QFont result(Latin1(kFontFamily));
  result.setPointSizeF(PointSize(font));
  result.setWeight(static_cast<QFont::Weight>(Weight(font)));
  return result;
}

// Windows-1252 bytes 0x80..0x9F; every other byte is the code point of the
// same number (0x81, 0x8D, 0x8F, 0x90 and 0x9D are unassigned there too).
constexpr char16_t kWindows1252High[32] = {
    u'\u20AC', 0x81,      u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0x8D,      u'\u017D', 0x8F,
    0x90,      u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0x9D,      u'\u017E', u'\u0178',
};
constexpr char kUnmappable = '?';

char Windows1252Byte(char16_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
  for (int i = 0; i < 32; ++i) {
    if (kWindows1252High[i] == ch) return static_cast<char>(0x80 + i);
  }
  return kUnmappable;
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
      connect(button, &QPushButton::clicked, this, [this, click = c.click] { click(ports_); });
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
