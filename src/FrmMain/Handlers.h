// The click handlers of the window FrmMain, written once over its ports.
//
// Every conversion button runs the same pipeline: clipboard -> box -> read
// back -> rewrite -> box -> read back -> clipboard. Only the rewrite in the
// middle differs, and whether the command starts from the clipboard or from
// what the box already holds.
#pragma once

#include "FrmMain/Ports.h"

namespace velmora::ui {

enum class Source {
  Clipboard,  // the copied text is put into the box first
  TextBox,    // the box's text as it stands (a previous result, or hand-edited)
};

struct ConversionCommand {
  Source source;
  Text (*rewrite)(TextView input);
};

// One run of the pipeline. A failure inside a step (an exception) abandons
// the rest, keeps what the earlier steps did, and is shown to the user with
// its description; nothing escapes.
void RunConversion(FrmMainPorts& window, const ConversionCommand& command) noexcept;

// "Libol"
void CmdLibol_Click(FrmMainPorts& window) noexcept;
// "LacViet (Dak Nong, Ca Mau, Hoi An)"
void CmdDaNang_Click(FrmMainPorts& window) noexcept;
// "Verbrary (Dong Nai)"
void CmdLacViet_Click(FrmMainPorts& window) noexcept;
// "Ilib 4X-8X"
void CmdTvDakLak_Click(FrmMainPorts& window) noexcept;
// "Emiclib (VLong, HCM)"
void CmdTVHCM_Click(FrmMainPorts& window) noexcept;
// "Hue, Hai Phong": the hidden button; starts from the box.
void CmdHue_Click(FrmMainPorts& window) noexcept;
// "TO MARCEDIT": starts from the box.
void CmdMracEditor_Click(FrmMainPorts& window) noexcept;
// "To Pre-Unicode": joins base letters and combining tone marks, nothing else.
void CmdChuyenMa_Click(FrmMainPorts& window) noexcept;

}  // namespace velmora::ui
