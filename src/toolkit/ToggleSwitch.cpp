#include "toolkit/ToggleSwitch.h"

#include <algorithm>

namespace {

TCreateParams SwitchParams() {
  TCreateParams params;
  params.ClassName = EnsureWindowClass(L"TKelpaToggleSwitch", 0);
  params.Style = WS_VISIBLE;
  return params;
}

}  // namespace

TToggleSwitch::TToggleSwitch(TWinControl& parent) : TCustomControl(&parent, SwitchParams()) {}

void TToggleSwitch::SetState(TToggleSwitchState state) {
  if (state == FState) return;
  FState = state;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TToggleSwitch::Paint(HDC dc) {
  PaintBackground(dc);
  RECT r;
  GetClientRect(Handle(), &r);
  int height = std::max(4, static_cast<int>(r.bottom) - 2);
  RECT track{1, 1, std::max(height, static_cast<int>(r.right) - 1), 1 + height};
  COLORREF ink = ColorToRGB(clSilver);
  COLORREF back = ColorToRGB(Color());
  TUniqueHandle<HPEN, DeleteObject> pen(CreatePen(PS_SOLID, 1, ink));
  TBrushHandle trackBrush(CreateSolidBrush(IsOn() ? RGB(0, 120, 215) : back));
  TBrushHandle knobBrush(CreateSolidBrush(IsOn() ? RGB(255, 255, 255) : ink));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  HGDIOBJ oldBrush = SelectObject(dc, trackBrush.get());
  RoundRect(dc, track.left, track.top, track.right, track.bottom, height, height);
  SelectObject(dc, knobBrush.get());
  const int inset = 4;
  int diameter = height - 2 * inset;
  int left = IsOn() ? track.right - inset - diameter : track.left + inset;
  Ellipse(dc, left, track.top + inset, left + diameter, track.top + inset + diameter);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

LRESULT TToggleSwitch::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONUP:
      SetState(IsOn() ? tssOff : tssOn);
      return 0;
  }
  return TCustomControl::WndProc(message, wParam, lParam);
}
