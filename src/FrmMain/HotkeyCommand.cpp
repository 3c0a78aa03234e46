#include "FrmMain/HotkeyCommand.h"

#include <optional>

#include "FrmMain/Guarded.h"
#include "ModMain/Records/SourceLayout.h"
#include "ModMain/Records/Sources.h"

namespace velmora::frmmain {
namespace {

const records::SourceSystem* SourceOfButton(const Control& button) {
  for (const records::SourceSystem& source : records::Sources()) {
    if (source.control == button.name) return &source;
  }
  return nullptr;
}

// The button the hotkey presses, before any was pressed, for a copied text
// of this layout; nullptr when none is shown for it.
const Control* ButtonForLayout(records::SourceLayout layout) {
  if (layout == records::SourceLayout::None) return nullptr;
  for (const Control& control : kControls) {  // top to bottom
    if (!control.visible) continue;
    const records::SourceSystem* source = SourceOfButton(control);
    if (source != nullptr && source->layout == layout &&
        source->input == records::InputFrom::Clipboard) {
      return &control;
    }
  }
  return nullptr;
}

// Marks a command as running for as long as it runs.
class Running {
 public:
  explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
  ~Running() { flag_ = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void HotkeyCommand::Click(const Control& button, FrmMainPorts& window) noexcept {
  if (button.click == nullptr) return;
  if (button.role == ControlRole::Conversion) repeated_ = &button;
  const Running running(running_);
  button.click(window);
}

void HotkeyCommand::Press(FrmMainPorts& window) noexcept {
  if (running_) return;
  const Running running(running_);
  if (repeated_ != nullptr) {
    repeated_->click(window);
    return;
  }
  const Control* button = nullptr;
  Guarded(window.messages, [&] {
    // A look at the copied text only: the button's pipeline reads it again,
    // with its own messages.
    const std::optional<Text> copied =
        window.clipboard.OffersText() ? window.clipboard.ReadText() : std::nullopt;
    if (copied) button = ButtonForLayout(records::RecognizeSourceLayout(*copied));
    if (button == nullptr) window.messages.Show(HotkeyFindsNoSourceMessage());
  });
  if (button != nullptr) button->click(window);
}

}  // namespace velmora::frmmain
