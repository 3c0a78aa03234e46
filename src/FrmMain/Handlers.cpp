#include "FrmMain/Handlers.h"

#include <optional>
#include <string_view>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/FormLayout.h"
#include "FrmMain/Guarded.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Records/MarcEditExport.h"

namespace velmora::frmmain {
namespace {

// The pipeline. `refusal` may stop it after the rewrite with a message:
// the box then keeps what it holds and the clipboard what it held. When the
// clipboard held no text to start from (an image, say), the box shows the
// rewrite of the empty text and the clipboard keeps what it held: the
// user's copy is not replaced by the conversion of nothing.
template <typename Rewrite, typename Refusal>
void Pipeline(FrmMainPorts& window, records::InputFrom input, const Rewrite& rewrite,
              const Refusal& refusal) {
  bool clipboardHeldText = true;
  if (input == records::InputFrom::Clipboard) {
    const std::optional<Text> clipText = GetClipboardText(window.clipboard, window.messages);  // 1
    clipboardHeldText = clipText.has_value();
    window.txtZ3950.SetText(clipText.value_or(Text()));  // 2
  }
  const Text boxText = window.txtZ3950.GetText();  // 3
  const Text result = rewrite(boxText);            // 4
  if (const std::optional<Text> message = refusal(boxText, result)) {
    window.messages.Show(*message);
    return;
  }
  window.txtZ3950.SetText(result);  // 5
  if (!clipboardHeldText) return;
  const Text output = window.txtZ3950.GetText();                // 6
  SetClipboardText(window.clipboard, window.messages, output);  // 7
}

Text FromAscii(std::string_view text) {
  return Text(text.begin(), text.end());
}

// A source's button gives an empty record for a text that holds more than
// white space: no record of that source was there. Rather than replace the
// copied record on the clipboard with nothing, the user is told, and told
// which button takes the text when its layout is another source's.
std::optional<Text> NoRecordOfTheSource(const records::SourceSystem& source, TextView text,
                                        TextView record) {
  if (!record.empty() || !records::HoldsMoreThanWhiteSpace(text)) return std::nullopt;
  Text message = u"No " + FromAscii(source.title) + u" record was found in " +
                 (source.input == records::InputFrom::Clipboard ? Text(u"the copied text.")
                                                                : Text(u"the box's text."));
  const records::SourceLayout layout = records::RecognizeSourceLayout(text);
  if (layout == records::SourceLayout::None || layout == source.layout) return message;
  message += u" It looks like a " + FromAscii(records::SourceLayoutName(layout)) + u" record";
  Text buttons;
  for (const records::SourceSystem* other : SourcesWithLayout(layout)) {
    const Control* button = FindControl(other->control);
    if (button == nullptr || !button->visible) continue;
    if (!buttons.empty()) buttons += u" or ";
    buttons += u"\"" + FromAscii(other->caption) + u"\"";
  }
  return message + (buttons.empty() ? Text(u".") : u": press " + buttons + u" instead.");
}

}  // namespace

void RunConversion(FrmMainPorts& window, records::InputFrom input,
                   Text (*rewrite)(TextView)) noexcept {
  Guarded(window.messages, [&] {
    Pipeline(window, input, rewrite, [](TextView, TextView) { return std::optional<Text>(); });
  });
}

void RunSourceConversion(FrmMainPorts& window, const records::SourceSystem& source) noexcept {
  Guarded(window.messages, [&] {
    Pipeline(
        window, source.input,
        [&source](TextView text) { return records::ConvertRecord(source, text); },
        [&source](TextView text, TextView record) {
          return NoRecordOfTheSource(source, text, record);
        });
  });
}

void CmdLibol_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, records::SourceOf(records::SourceId::Libol));
}
void CmdDaNang_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, records::SourceOf(records::SourceId::LacViet));
}
void CmdLacViet_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, records::SourceOf(records::SourceId::Verbrary));
}
void CmdTvDakLak_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, records::SourceOf(records::SourceId::Ilib));
}
void CmdTVHCM_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, records::SourceOf(records::SourceId::Emiclib));
}
void CmdHue_Click(FrmMainPorts& window) noexcept {
  RunSourceConversion(window, records::SourceOf(records::SourceId::Hue));
}
void CmdMracEditor_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, records::InputFrom::TextBox, records::ExportMarcEdit);
}
void CmdChuyenMa_Click(FrmMainPorts& window) noexcept {
  RunConversion(window, records::InputFrom::Clipboard, letters::JoinToneMarks);
}
void CmdOnTop_Click(FrmMainPorts& window) noexcept {
  Guarded(window.messages, [&] { window.stacking.SetOnTop(); });
}
void CmdOnBottom_Click(FrmMainPorts& window) noexcept {
  Guarded(window.messages, [&] { window.stacking.SetNotOnTop(); });
}

}  // namespace velmora::frmmain
