#pragma once
// A control that draws itself whole: it paints in Paint and never has its
// background erased first, so it does not flicker when it changes often.

#include "toolkit/WinControl.h"

class TCustomControl : public TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  // Paints the whole client area.
  virtual void Paint(HDC dc) = 0;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
