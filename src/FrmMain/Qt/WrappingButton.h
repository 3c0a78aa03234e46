// A push button whose caption wraps onto more lines when it does not fit on
// one, as command buttons do on the system's original platform
// («Enable on | Top»). text() stays the exact caption.
#pragma once

#include <QPushButton>

namespace velmora::frmmain::qt {

class WrappingButton final : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora::frmmain::qt
