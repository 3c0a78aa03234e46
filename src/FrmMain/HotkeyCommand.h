// What the hotkey does: it repeats the conversion button pressed last in
// this run of the window, so that a cataloguer converts record after record
// without leaving the library system. Before any conversion button was
// pressed, it presses the button of the source whose layout the copied text
// has. Both front ends route every button click through here.
#pragma once

#include "FrmMain/FormLayout.h"
#include "FrmMain/Ports.h"

namespace velmora::frmmain {

class HotkeyCommand {
 public:
  // A click on `button` (a row of kControls): runs its handler, and a
  // conversion button becomes the one the hotkey repeats.
  void Click(const Control& button, FrmMainPorts& window) noexcept;

  // The hotkey: runs the pipeline of the button that Click last saw, the
  // same handler with the same messages. Before any, runs that of the first
  // shown source button (in the window's order, top to bottom) whose source
  // takes the copied text and has its layout, as the wrong-source check
  // recognises it: a LacViet or Emiclib record goes to "Emiclib (VLong,
  // HCM)", which the window shows above "LacViet (Dak Nong, Ca Mau, Hoi
  // An)". With no such button, tells the user to press a button once.
  void Press(FrmMainPorts& window) noexcept;

  // The button the hotkey repeats; nullptr before any conversion button.
  const Control* RepeatedButton() const { return repeated_; }

 private:
  const Control* repeated_ = nullptr;
  bool running_ = false;
};

}  // namespace velmora::frmmain
