#pragma once
// A plain rectangle in its own colour, with an optional caption centred in it
// in the panel's font, and room for child controls.

#include "toolkit/WinControl.h"

class TPanel : public TWinControl {
 public:
  explicit TPanel(TWinControl& parent);

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
};
