#pragma once
// A line of text on its parent's background. It is never wrapped: a caption
// wider than the label is cut at the label's edge.

#include "toolkit/WinControl.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TWinControl {
 public:
  explicit TLabel(TWinControl& parent);

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption);

  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment alignment);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);

  TAlignment FAlignment = taLeftJustify;
};
