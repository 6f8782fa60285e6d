#include "toolkit/BitBtn.h"

#include "base/Exceptions.h"
#include "toolkit/Form.h"

namespace {

// Pixels between the glyph and the caption.
constexpr int kSpacing = 4;

TCreateParams BitBtnParams() {
  TCreateParams params;
  params.ClassName = L"BUTTON";
  params.Style = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
  return params;
}

const wchar_t* StandardGlyphName(TStandardGlyph glyph) {
  switch (glyph) {
    case sgCancel: return L"TOOLKIT_GLYPH_CANCEL";
    case sgHelp: return L"TOOLKIT_GLYPH_HELP";
  }
  return L"";
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap) GetObjectW(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

TBitBtn::TBitBtn(TWinControl& parent) : TWinControl(&parent, BitBtnParams()) {}

TBitBtn::~TBitBtn() {
  if (TForm* form = Parent() ? ParentForm(*this) : nullptr) {
    if (form->DefaultButton() == this) form->SetDefaultButton(nullptr);
    if (form->CancelButton() == this) form->SetCancelButton(nullptr);
  }
}

void TBitBtn::SetCaption(const std::wstring& caption) {
  SetText(caption);
  Repaint();
}

void TBitBtn::LoadGlyph(const wchar_t* resourceName) {
  TBitmapHandle bitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) RaiseLastOSError();
  FGlyph = std::move(bitmap);
  Repaint();
}

void TBitBtn::SetGlyph(TStandardGlyph glyph) { LoadGlyph(StandardGlyphName(glyph)); }

void TBitBtn::SetDefault(bool isDefault) {
  FDefault = isDefault;
  if (TForm* form = ParentForm(*this)) {
    if (isDefault)
      form->SetDefaultButton(this);
    else if (form->DefaultButton() == this)
      form->SetDefaultButton(nullptr);
  }
  Repaint();
}

void TBitBtn::SetCancel(bool isCancel) {
  FCancel = isCancel;
  if (TForm* form = ParentForm(*this)) {
    if (isCancel)
      form->SetCancelButton(this);
    else if (form->CancelButton() == this)
      form->SetCancelButton(nullptr);
  }
}

void TBitBtn::Click() {
  if (OnClick) OnClick();
}

bool TBitBtn::CommandReflected(WORD notifyCode) {
  if (notifyCode != BN_CLICKED) return false;
  Click();
  return true;
}

LRESULT TBitBtn::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The dialog manager would turn the focused button into a standard default
  // push button, which is no longer drawn by us: the default frame is ours.
  if (message == WM_GETDLGCODE) return DLGC_BUTTON;
  if (message == BM_SETSTYLE) return 0;
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
    // The default button shows its dark frame only while no other button has
    // the focus: let it follow the focus.
    LRESULT result = TWinControl::WndProc(message, wParam, lParam);
    if (TForm* form = ParentForm(*this); form && form->DefaultButton() && form->DefaultButton() != this)
      InvalidateRect(form->DefaultButton()->Handle(), nullptr, FALSE);
    return result;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

bool TBitBtn::ShowsAsDefault(const DRAWITEMSTRUCT& item) const {
  if (item.itemState & ODS_FOCUS) return true;
  if (!FDefault) return false;
  HWND focus = GetFocus();
  bool otherButtonFocused = focus && focus != Handle() && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON);
  return !otherButtonFocused;
}

bool TBitBtn::DrawItemReflected(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  if (ShowsAsDefault(item)) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  RECT content = r;
  if (pressed) OffsetRect(&content, 1, 1);
  DrawGlyphAndCaption(dc, content, !(item.itemState & ODS_DISABLED));
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  return true;
}

void TBitBtn::DrawGlyphAndCaption(HDC dc, RECT area, bool enabled) {
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(Perform(WM_GETFONT)));
  std::wstring caption = Caption();
  RECT textRect{};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, DT_CALCRECT | DT_SINGLELINE);
  const SIZE glyph = BitmapSize(FGlyph.get());
  const int textWidth = textRect.right - textRect.left;
  const int textHeight = textRect.bottom - textRect.top;
  const int spacing = glyph.cx > 0 && !caption.empty() ? kSpacing : 0;
  // Glyph and caption together, centred as one block.
  int x = area.left + (area.right - area.left - (glyph.cx + spacing + textWidth)) / 2;
  const int middle = (area.top + area.bottom) / 2;

  if (FGlyph) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(memory, FGlyph.get());
    COLORREF seeThrough = GetPixel(memory, 0, glyph.cy - 1);
    GdiTransparentBlt(dc, x, middle - glyph.cy / 2, glyph.cx, glyph.cy, memory, 0, 0, glyph.cx, glyph.cy, seeThrough);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
  }
  x += glyph.cx + spacing;
  RECT text{x, middle - textHeight / 2, x + textWidth, middle - textHeight / 2 + textHeight};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE);
  SelectObject(dc, oldFont);
}
