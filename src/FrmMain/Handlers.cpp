#include "FrmMain/Handlers.h"

#include <exception>

#include "FrmMain/ClipboardText.h"
#include "ModMain/ConvertCharset.h"
#include "ModMain/HueSource.h"
#include "ModMain/IlibSource.h"
#include "ModMain/LacVietSource.h"
#include "ModMain/LibolSource.h"
#include "ModMain/MarcEditExport.h"
#include "ModMain/VerbrarySource.h"

namespace velmora::ui {
namespace {

// "To Pre-Unicode": the letter conversion from Unicode into Unicode, which
// joins every base letter + combining tone mark into the precomposed letter.
Text ToPreUnicode(TextView input) {
  return ConvertCharset(input, CharsetUnicode, CharsetUnicode);
}

// The button table: where each command starts, and its rewrite.
constexpr ConversionCommand kLibol{Source::Clipboard, ConvertLibol};
constexpr ConversionCommand kLacViet{Source::Clipboard, ConvertLacViet};
constexpr ConversionCommand kVerbrary{Source::Clipboard, ConvertVerbrary};
constexpr ConversionCommand kIlib{Source::Clipboard, ConvertIlib};
constexpr ConversionCommand kEmiclib{Source::Clipboard, ConvertEmiclib};
constexpr ConversionCommand kHue{Source::TextBox, ConvertHue};
constexpr ConversionCommand kMarcEdit{Source::TextBox, ExportMarcEdit};
constexpr ConversionCommand kPreUnicode{Source::Clipboard, ToPreUnicode};

void Pipeline(FrmMainPorts& window, const ConversionCommand& command) {
  if (command.source == Source::Clipboard) {
    const Text clipText = GetClipboardText(window.clipboard, window.messages);  // 1
    window.txtZ3950.SetText(clipText);                                          // 2
  }
  const Text input = window.txtZ3950.GetText();                 // 3
  const Text result = command.rewrite(input);                   // 4
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

}  // namespace

void RunConversion(FrmMainPorts& window, const ConversionCommand& command) noexcept {
  try {
    Pipeline(window, command);
  } catch (const std::exception& failure) {
    ShowFailure(window.messages, failure.what());
  } catch (...) {
    ShowFailure(window.messages, "unknown failure");
  }
}

void CmdLibol_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kLibol);
}
void CmdDaNang_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kLacViet);
}
void CmdLacViet_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kVerbrary);
}
void CmdTvDakLak_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kIlib);
}
void CmdTVHCM_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kEmiclib);
}
void CmdHue_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kHue);
}
void CmdMracEditor_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kMarcEdit);
}
void CmdChuyenMa_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, kPreUnicode);
}

}  // namespace velmora::ui
