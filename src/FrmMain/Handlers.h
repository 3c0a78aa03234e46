// The click handlers of the window FrmMain, written once over its ports for
// every front end.
//
// Every conversion button runs the same pipeline: clipboard -> box -> read
// back -> rewrite -> box -> read back -> clipboard. Only the rewrite in the
// middle differs, and whether the command starts from the clipboard or from
// what the box already holds. A source button's row in the source table
// (ModMain/Sources.h) says both. A command that starts from the clipboard
// and finds no text there converts the empty text into the box and leaves
// the clipboard as it was.
#pragma once

#include "FrmMain/Ports.h"
#include "ModMain/Records/Sources.h"

namespace velmora::frmmain {

// One run of the pipeline with `rewrite` in the middle. A failure inside a
// step (an exception) abandons the rest, keeps what the earlier steps did,
// and is shown to the user with its description; nothing escapes.
void RunConversion(FrmMainPorts& window, records::InputFrom input,
                   Text (*rewrite)(TextView)) noexcept;

// The pipeline of a source's button: the source's whole conversion. When
// the text holds more than white space and gives no record at all, the user
// is told that no record of the source was found (and which button to press
// when the text looks like another source's); the box keeps the text and
// the clipboard the copied record.
void RunSourceConversion(FrmMainPorts& window, const records::SourceSystem& source) noexcept;

// The buttons of the source systems; each runs its row of the source table.
void CmdLibol_Click(FrmMainPorts& window) noexcept;
void CmdDaNang_Click(FrmMainPorts& window) noexcept;
void CmdLacViet_Click(FrmMainPorts& window) noexcept;
void CmdTvDakLak_Click(FrmMainPorts& window) noexcept;
void CmdTVHCM_Click(FrmMainPorts& window) noexcept;
void CmdHue_Click(FrmMainPorts& window) noexcept;
// "TO MARCEDIT": the box's record as MarcEdit lines; starts from the box.
void CmdMracEditor_Click(FrmMainPorts& window) noexcept;
// "To Pre-Unicode": joins base letters and combining tone marks, nothing else.
void CmdChuyenMa_Click(FrmMainPorts& window) noexcept;
// "Enable on Top" and "Disable on Top".
void CmdOnTop_Click(FrmMainPorts& window) noexcept;
void CmdOnBottom_Click(FrmMainPorts& window) noexcept;

}  // namespace velmora::frmmain
