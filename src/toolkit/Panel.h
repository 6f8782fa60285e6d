#pragma once
// A plain rectangle in its own colour, with an optional caption centred in it
// in the panel's font, and room for child controls.

#include "toolkit/CustomControl.h"

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TWinControl& parent);

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption);

 protected:
  void Paint(HDC dc) override;
};
