// The window FrmMain as every front end lays it out: its caption, its client
// size and its controls, in twips (1/1440 inch; 15 twips make a pixel at 96
// dots per inch), from top to bottom.
#pragma once

#include <algorithm>
#include <iterator>
#include <string_view>

#include "FrmMain/Handlers.h"
#include "ModMain/Records/Sources.h"

namespace velmora::frmmain {

inline constexpr std::string_view kFormCaption = "Velmora-Openbiblio Dravenne (30/07/2019)";

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidthTwips = 2595;
inline constexpr int kClientHeightTwips = 6495;

// Every font is Arial, no italic, underline or strike-through, the default
// (ANSI) character set.
inline constexpr std::string_view kFontFamily = "Arial";
enum class ControlFont {
  Box,            // 8.25 pt, regular
  BoldButton,     // 9.75 pt exactly, bold
  RegularButton,  // 9.75 pt, regular
};
constexpr double PointSize(ControlFont font) {
  return font == ControlFont::Box ? 8.25 : 9.75;
}
constexpr int Weight(ControlFont font) {
  return font == ControlFont::BoldButton ? 700 : 400;
}

// What pressing a control does.
enum class ControlRole {
  TextBox,     // nothing: it is the text box
  Conversion,  // runs a conversion, which the hotkey repeats once it was pressed
  Stacking,    // changes only the window's place in the stacking order
};

struct Control {
  std::string_view name;
  std::string_view caption;      // empty for the text box
  int left, top, width, height;  // twips
  int tabIndex;
  ControlFont font;
  bool visible;
  ControlRole role;
  void (*click)(FrmMainPorts&) noexcept;  // nullptr for the text box
};

// A source system's button: its name and caption come from the source table.
constexpr Control SourceButton(records::SourceId id, void (*click)(FrmMainPorts&) noexcept,
                               int left, int top, int width, int height, int tabIndex,
                               bool visible = true) {
  const records::SourceSystem& source = SourceOf(id);
  return {source.control, source.caption,
          left,           top,
          width,          height,
          tabIndex,       ControlFont::BoldButton,
          visible,        ControlRole::Conversion,
          click};
}

// clang-format off
inline constexpr Control kControls[] = {
    //                                                          left   top  width height tab
    {"TxtZ3950", "",                                              0,   60, 2535, 2055,  0, ControlFont::Box, true, ControlRole::TextBox, nullptr},
    SourceButton(records::SourceId::Ilib,     CmdTvDakLak_Click,            0, 2220, 1215,  375,  2),
    SourceButton(records::SourceId::Libol,    CmdLibol_Click,            1320, 2220, 1215,  375,  3),
    SourceButton(records::SourceId::Emiclib,  CmdTVHCM_Click,               0, 2640, 2535,  375,  1),
    SourceButton(records::SourceId::LacViet,  CmdDaNang_Click,              0, 3120, 2595,  615,  8),
    SourceButton(records::SourceId::Verbrary, CmdLacViet_Click,             0, 3840, 2595,  375,  5),
    {"CmdChuyenMa", "To Pre-Unicode",                             0, 4320, 2595,  375,  7, ControlFont::BoldButton, true, ControlRole::Conversion, CmdChuyenMa_Click},
    // Never shown: it lies under "To Pre-Unicode", so it cannot be pressed.
    SourceButton(records::SourceId::Hue,      CmdHue_Click,                 0, 4320, 2595,  375,  6, /*visible=*/false),
    {"CmdMracEditor", "TO MARCEDIT",                              0, 4740, 2595,  375,  4, ControlFont::BoldButton, true, ControlRole::Conversion, CmdMracEditor_Click},
    {"CmdOnTop", "Enable on Top",                                 0, 5220, 1095,  615,  9, ControlFont::RegularButton, true, ControlRole::Stacking, CmdOnTop_Click},
    {"CmdOnBottom", "Disable on Top",                          1260, 5220, 1275,  615, 10, ControlFont::RegularButton, true, ControlRole::Stacking, CmdOnBottom_Click},
};
// clang-format on

// The text box, the one control without a click.
inline constexpr const Control& kTxtZ3950 = kControls[0];

// The control named `name`, or nullptr.
constexpr const Control* FindControl(std::string_view name) {
  for (const Control& control : kControls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

}  // namespace velmora::frmmain
