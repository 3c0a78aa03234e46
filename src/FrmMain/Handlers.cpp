#include "FrmMain/Handlers.h"

#include <optional>
#include <string>
#include <string_view>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/FormLayout.h"
#include "FrmMain/Guarded.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Records/MarcEditExport.h"

namespace velmora::frmmain {
namespace {

using messages::Format;
using messages::Tr;

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

// The wrong-source message, one whole sentence for each case, so that a
// translation may put the source, the layout and the buttons where its
// language wants them.
std::string NoRecordMessage(bool fromClipboard, std::string_view source) {
  return fromClipboard ? Format(Tr("No %1 record was found in the copied text."), source)
                       : Format(Tr("No %1 record was found in the box's text."), source);
}

std::string LooksLikeMessage(bool fromClipboard, std::string_view source, std::string_view layout) {
  if (records::NameTakesAn(layout)) {
    return fromClipboard ? Format(Tr("No %1 record was found in the copied text. It looks like an "
                                     "%2 record."),
                                  source, layout)
                         : Format(Tr("No %1 record was found in the box's text. It looks like an "
                                     "%2 record."),
                                  source, layout);
  }
  return fromClipboard ? Format(Tr("No %1 record was found in the copied text. It looks like a "
                                   "%2 record."),
                                source, layout)
                       : Format(Tr("No %1 record was found in the box's text. It looks like a "
                                   "%2 record."),
                                source, layout);
}

std::string PressInsteadMessage(bool fromClipboard, std::string_view source,
                                std::string_view layout, std::string_view buttons) {
  if (records::NameTakesAn(layout)) {
    return fromClipboard ? Format(Tr("No %1 record was found in the copied text. It looks like an "
                                     "%2 record: press %3 instead."),
                                  source, layout, buttons)
                         : Format(Tr("No %1 record was found in the box's text. It looks like an "
                                     "%2 record: press %3 instead."),
                                  source, layout, buttons);
  }
  return fromClipboard ? Format(Tr("No %1 record was found in the copied text. It looks like a "
                                   "%2 record: press %3 instead."),
                                source, layout, buttons)
                       : Format(Tr("No %1 record was found in the box's text. It looks like a "
                                   "%2 record: press %3 instead."),
                                source, layout, buttons);
}

// The shown buttons that take a text of `layout`, each caption quoted:
// «"LacViet (Dak Nong, Ca Mau, Hoi An)" or "Emiclib (VLong, HCM)"».
std::string ButtonsForLayout(records::SourceLayout layout) {
  std::string buttons;
  for (const records::SourceSystem* other : SourcesWithLayout(layout)) {
    const Control* button = FindControl(other->control);
    if (button == nullptr || !button->visible) continue;
    const std::string quoted = "\"" + std::string(other->caption) + "\"";
    buttons = buttons.empty() ? quoted : Format(Tr("%1 or %2"), buttons, quoted);
  }
  return buttons;
}

// A source's button gives an empty record for a text that holds more than
// white space: no record of that source was there. Rather than replace the
// copied record on the clipboard with nothing, the user is told, and told
// which button takes the text when its layout is another source's.
std::optional<Text> NoRecordOfTheSource(const records::SourceSystem& source, TextView text,
                                        TextView record) {
  if (!record.empty() || !records::HoldsMoreThanWhiteSpace(text)) return std::nullopt;
  const bool fromClipboard = source.input == records::InputFrom::Clipboard;
  const records::SourceLayout layout = records::RecognizeSourceLayout(text);
  if (layout == records::SourceLayout::None || layout == source.layout) {
    return WindowText(NoRecordMessage(fromClipboard, source.title));
  }
  const std::string layoutName = Tr(records::SourceLayoutName(layout));
  const std::string buttons = ButtonsForLayout(layout);
  return WindowText(buttons.empty()
                        ? LooksLikeMessage(fromClipboard, source.title, layoutName)
                        : PressInsteadMessage(fromClipboard, source.title, layoutName, buttons));
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
