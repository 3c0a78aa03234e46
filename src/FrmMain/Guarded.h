// A handler's work run so that nothing escapes into the window system's
// frames: a failure is shown to the user with its description, and the
// window goes on.
#pragma once

#include <exception>

#include "FrmMain/Ports.h"
#include "Messages/Translate.h"

namespace velmora::frmmain {

inline void ShowFailure(MessageBox& messages, const char* description) noexcept {
  try {
    messages.ShowFailure(description);
  } catch (...) {
    // Nothing is left to tell the user with; the window goes on.
  }
}

inline void ShowUnknownFailure(MessageBox& messages) noexcept {
  try {
    messages.ShowFailure(velmora::messages::Tr("unknown failure"));
  } catch (...) {
    // As above.
  }
}

template <typename Work>
void Guarded(MessageBox& messages, const Work& work) noexcept {
  try {
    work();
  } catch (const std::exception& failure) {
    ShowFailure(messages, failure.what());
  } catch (...) {
    ShowUnknownFailure(messages);
  }
}

}  // namespace velmora::frmmain
