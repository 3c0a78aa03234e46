#include "FrmMain/Qt/FrmMain.h"

#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/Handlers.h"
#include "ModScreen/Qt/ModScreen.h"
#include "FrmMain/Qt/QtText.h"
#include "FrmMain/Qt/WrappingButton.h"

namespace velmora::ui {
namespace {

constexpr std::string_view kCaption = "Velmora-Openbiblio Dravenne (30/07/2019)";

// Positions and sizes are in twips, 15 to a logical pixel, so that the layout
// scales with the screen's device-independent pixels.
constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) {
  return twips / kTwipsPerPixel;
}

constexpr int kClientWidth = 2595;
constexpr int kClientHeight = 6495;

enum class Font { Box, BoldButton, RegularButton };

constexpr std::string_view kFontFamily = "Arial";
constexpr double kBoxPointSize = 8.25;
constexpr double kButtonPointSize = 9.75;  // exactly, not 10

struct Control {
  std::string_view name;
  std::string_view caption;      // empty for the text box
  int left, top, width, height;  // twips
  int tabIndex;
  Font font;
  void (FrmMain::*click)();  // nullptr for the text box
  bool visible;
};

// The controls from top to bottom.
// clang-format off
constexpr Control kControls[] = {
    // name            caption                               left   top  width height tab font
    {"TxtZ3950",      "",                                      0,   60, 2535, 2055,  0, Font::Box,           nullptr,                      true},
    {"CmdTvDakLak",   "Ilib 4X-8X",                            0, 2220, 1215,  375,  2, Font::BoldButton,    &FrmMain::CmdTvDakLak_Click,   true},
    {"CmdLibol",      "Libol",                              1320, 2220, 1215,  375,  3, Font::BoldButton,    &FrmMain::CmdLibol_Click,      true},
    {"CmdTVHCM",      "Emiclib (VLong, HCM)",                  0, 2640, 2535,  375,  1, Font::BoldButton,    &FrmMain::CmdTVHCM_Click,      true},
    {"CmdDaNang",     "LacViet (Dak Nong, Ca Mau, Hoi An)",    0, 3120, 2595,  615,  8, Font::BoldButton,    &FrmMain::CmdDaNang_Click,     true},
    {"CmdLacViet",    "Verbrary (Dong Nai)",                   0, 3840, 2595,  375,  5, Font::BoldButton,    &FrmMain::CmdLacViet_Click,    true},
    {"CmdChuyenMa",   "To Pre-Unicode",                        0, 4320, 2595,  375,  7, Font::BoldButton,    &FrmMain::CmdChuyenMa_Click,   true},
    {"CmdHue",        "Hue, Hai Phong",                        0, 4320, 2595,  375,  6, Font::BoldButton,    &FrmMain::CmdHue_Click,        false},
    {"CmdMracEditor", "TO MARCEDIT",                           0, 4740, 2595,  375,  4, Font::BoldButton,    &FrmMain::CmdMracEditor_Click, true},
    {"CmdOnTop",      "Enable on Top",                         0, 5220, 1095,  615,  9, Font::RegularButton, &FrmMain::CmdOnTop_Click,      true},
    {"CmdOnBottom",   "Disable on Top",                     1260, 5220, 1275,  615, 10, Font::RegularButton, &FrmMain::CmdOnBottom_Click,   true},
};
// clang-format on

constexpr bool InWholePixels(const Control& c) {
  return c.left % kTwipsPerPixel == 0 && c.top % kTwipsPerPixel == 0 &&
         c.width % kTwipsPerPixel == 0 && c.height % kTwipsPerPixel == 0;
}
static_assert(std::all_of(std::begin(kControls), std::end(kControls), InWholePixels));
static_assert(kClientWidth % kTwipsPerPixel == 0 && kClientHeight % kTwipsPerPixel == 0);

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QFont FontOf(Font font) {
  QFont result(Latin1(kFontFamily));
  result.setPointSizeF(font == Font::Box ? kBoxPointSize : kButtonPointSize);
  result.setWeight(font == Font::BoldButton ? QFont::Bold : QFont::Normal);
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
      ports_{txtZ3950_, clipboard_, messages_} {
  setWindowTitle(Latin1(kCaption));
  setFixedSize(Px(kClientWidth), Px(kClientHeight));

  std::vector<std::pair<int, QWidget*>> tabOrder;
  for (const Control& c : kControls) {
    QWidget* control;
    if (c.click == nullptr) {
      control = txtZ3950Edit_;
    } else {
      auto* button = new WrappingButton(Latin1(c.caption), this);
      connect(button, &QPushButton::clicked, this, c.click);
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
  PlaceAtBottomRight(*this);
  show();
  SetWindowOnTop(*this);
}

void FrmMain::CmdLibol_Click() {
  ui::CmdLibol_Click(ports_);
}
void FrmMain::CmdDaNang_Click() {
  ui::CmdDaNang_Click(ports_);
}
void FrmMain::CmdLacViet_Click() {
  ui::CmdLacViet_Click(ports_);
}
void FrmMain::CmdTvDakLak_Click() {
  ui::CmdTvDakLak_Click(ports_);
}
void FrmMain::CmdTVHCM_Click() {
  ui::CmdTVHCM_Click(ports_);
}
void FrmMain::CmdHue_Click() {
  ui::CmdHue_Click(ports_);
}
void FrmMain::CmdMracEditor_Click() {
  ui::CmdMracEditor_Click(ports_);
}
void FrmMain::CmdChuyenMa_Click() {
  ui::CmdChuyenMa_Click(ports_);
}
void FrmMain::CmdOnTop_Click() {
  SetWindowOnTop(*this);
}
void FrmMain::CmdOnBottom_Click() {
  SetWindowNotOnTop(*this);
}

Text FrmMain::Get_Text(QLineEdit& textBox) {
  const int selStart =
      textBox.selectionStart() >= 0 ? textBox.selectionStart() : textBox.cursorPosition();
  textBox.selectAll();
  textBox.copy();
  textBox.setCursorPosition(selStart);  // ends the selection too
  return GetClipboardText(clipboard_, messages_);
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

}  // namespace velmora::ui
