#include "toolkit/Panel.h"

namespace {

TCreateParams PanelParams() {
  TCreateParams params;
  params.ClassName = EnsureWindowClass(L"TKelpaPanel", 0);
  params.Style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  return params;
}

}  // namespace

TPanel::TPanel(TWinControl& parent) : TCustomControl(&parent, PanelParams()) {}

void TPanel::SetCaption(const std::wstring& caption) {
  SetText(caption);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TPanel::Paint(HDC dc) {
  PaintBackground(dc);
  std::wstring text = Text();
  if (text.empty()) return;
  RECT r;
  GetClientRect(Handle(), &r);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().Color));
  // Our window class keeps no font of its own, so the panel's font is made here.
  TFontHandle font = CreateFontHandle(Font());
  HGDIOBJ old = SelectObject(dc, font.get());
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
}
