#pragma once
// A line of text on its parent's background. It is never wrapped.
//
// With AutoSize (the default) the label is exactly as large as its caption in
// its font, so no font, however wide, cuts the caption. It grows and shrinks
// from the edge its alignment names: a left-aligned label keeps its left edge,
// a right-aligned one its right edge, a centred one its centre, except that
// it never grows past its parent's left edge. Set the
// alignment and the bounds first, then the caption. Without AutoSize a caption
// wider than the label is cut at the label's edge.

#include "toolkit/CustomControl.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TCustomControl {
 public:
  explicit TLabel(TWinControl& parent);

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption);

  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment alignment);

  bool AutoSize() const noexcept { return FAutoSize; }
  void SetAutoSize(bool autoSize);

 protected:
  void Paint(HDC dc) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void AdjustBounds();

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
};
