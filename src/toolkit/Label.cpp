#include "toolkit/Label.h"

namespace {

TCreateParams LabelParams() {
  TCreateParams params;
  params.ClassName = L"STATIC";
  params.Style = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
  return params;
}

}  // namespace

TLabel::TLabel(TWinControl& parent) : TCustomControl(&parent, LabelParams()) { AdjustBounds(); }

void TLabel::SetCaption(const std::wstring& caption) {
  SetText(caption);  // resizes the label on its way through WndProc
  Repaint();
}

void TLabel::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!FAutoSize) return;
  HDC dc = GetDC(Handle());
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(Perform(WM_GETFONT)));
  std::wstring text = Text();
  // An empty label keeps the height of a line, so it does not vanish from a layout.
  if (text.empty()) text = L" ";
  RECT extent{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);

  int left = Left();
  const int oldWidth = Width();
  const int width = extent.right - extent.left;
  if (FAlignment == taRightJustify) left += oldWidth - width;
  if (FAlignment == taCenter) left += (oldWidth - width) / 2;
  // Growing leftwards never takes it past its parent's left edge, where the
  // caption would be cut after all.
  if (FAlignment != taLeftJustify && left < 0) left = 0;
  SetBounds(left, Top(), width, extent.bottom - extent.top);
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
    case WM_SETTEXT:
    case WM_SETFONT: {
      LRESULT result = TCustomControl::WndProc(message, wParam, lParam);
      AdjustBounds();
      return result;
    }
  }
  return TCustomControl::WndProc(message, wParam, lParam);
}
