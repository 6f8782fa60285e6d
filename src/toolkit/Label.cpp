#include "toolkit/Label.h"

namespace {

TCreateParams LabelParams() {
  TCreateParams params;
  params.ClassName = L"STATIC";
  params.Style = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
  return params;
}

}  // namespace

TLabel::TLabel(TWinControl& parent) : TWinControl(&parent, LabelParams()) {}

void TLabel::SetCaption(const std::wstring& caption) {
  SetText(caption);
  Repaint();
}

void TLabel::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  // The style bits say the same to anyone who asks the window; painting is ours.
  DWORD bits = alignment == taRightJustify ? SS_RIGHT : alignment == taCenter ? SS_CENTER : SS_LEFT;
  SetStyleBits(SS_TYPEMASK, bits);
  Repaint();
}

void TLabel::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  FillRect(dc, &r, Brush());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().Color));
  auto font = reinterpret_cast<HFONT>(Perform(WM_GETFONT));
  HGDIOBJ old = SelectObject(dc, font);
  UINT align = FAlignment == taRightJustify ? DT_RIGHT : FAlignment == taCenter ? DT_CENTER : DT_LEFT;
  std::wstring text = Text();
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX | align);
  SelectObject(dc, old);
}

LRESULT TLabel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
