#pragma once
// A pair of arrow buttons that reports each click; the value it steps is its owner's business.

#include "toolkit/WinControl.h"

#include <functional>

class TUpDown : public TWinControl {
 public:
  // direction: +1 for the up arrow, -1 for the down arrow.
  using TClickEvent = std::function<void(int direction)>;

  explicit TUpDown(TWinControl& parent);

  TClickEvent OnClick;

 protected:
  bool NotifyReflected(NMHDR& header, LRESULT& result) override;
};
