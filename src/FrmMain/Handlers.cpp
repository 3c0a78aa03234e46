#include "FrmMain/Handlers.h"

#include <exception>

#include "FrmMain/ClipboardText.h"
#include "ModMain/ConvertCharset.h"
#include "ModMain/MarcEditExport.h"

namespace velmora::ui {
namespace {

template <typename Rewrite>
void Pipeline(FrmMainPorts& window, InputFrom input, const Rewrite& rewrite) {
  if (input == InputFrom::Clipboard) {
    const Text clipText = GetClipboardText(window.clipboard, window.messages);  // 1
    window.txtZ3950.SetText(clipText);                                          // 2
  }
  const Text boxText = window.txtZ3950.GetText();               // 3
  const Text result = rewrite(boxText);                         // 4
  window.txtZ3950.SetText(result);                              // 5
  const Text output = window.txtZ3950.GetText();                // 6
  SetClipboardText(window.clipboard, window.messages, output);  // 7
}

void ShowFailure(MessageBox& messages, const char* description) noexcept {
  try {
    messages.ShowFailure(description);
  } catch (...) {
    // Nothing is left to tell the user with; the window goes on.
  }
}

// Runs one handler's work; a failure is shown, never thrown on.
template <typename Work>
void Guarded(MessageBox& messages, const Work& work) noexcept {
  try {
    work();
  } catch (const std::exception& failure) {
    ShowFailure(messages, failure.what());
  } catch (...) {
    ShowFailure(messages, "unknown failure");
  }
}

}  // namespace

void RunConversion(FrmMainPorts& window, InputFrom input, Text (*rewrite)(TextView)) noexcept {
  Guarded(window.messages, [&] { Pipeline(window, input, rewrite); });
}

void RunSourceConversion(FrmMainPorts& window, const SourceSystem& source) noexcept {
  Guarded(window.messages, [&] {
    Pipeline(window, source.input,
             [&source](TextView text) { return ConvertRecord(source, text); });
  });
}

void CmdLibol_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, SourceOf(SourceId::Libol));
}
void CmdDaNang_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, SourceOf(SourceId::LacViet));
}
void CmdLacViet_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, SourceOf(SourceId::Verbrary));
}
void CmdTvDakLak_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, SourceOf(SourceId::Ilib));
}
void CmdTVHCM_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, SourceOf(SourceId::Emiclib));
}
void CmdHue_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, SourceOf(SourceId::Hue));
}
void CmdMracEditor_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, InputFrom::TextBox, ExportMarcEdit);
}
void CmdChuyenMa_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, InputFrom::Clipboard, JoinToneMarks);
}
void CmdOnTop_Click(FrmMainPorts& window) noexcept {
  Guarded(window.messages, [&] { window.stacking.SetOnTop(); });
}
void CmdOnBottom_Click(FrmMainPorts& window) noexcept {
  Guarded(window.messages, [&] { window.stacking.SetNotOnTop(); });
}

}  // namespace velmora::ui
