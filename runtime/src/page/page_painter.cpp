#include "page_painter.h"

#include <memory>
#include <type_traits>

namespace standin::page {

namespace {

constexpr int kMargin = 16;

struct TGdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using TGdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, TGdiObjectDeleter>;

TGdiObject MakeFont(int height, int weight) {
  return TGdiObject(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

// Draws text word-wrapped into the band from top to area.bottom; returns the next top.
int DrawWrapped(HDC dc, const RECT& area, int top, const std::wstring& text, UINT extra = 0) {
  RECT box{area.left + kMargin, top, area.right - kMargin, area.bottom};
  if (box.right <= box.left || top >= area.bottom) return top;
  RECT measure = box;
  UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | extra;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, format | DT_CALCRECT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  return top + (measure.bottom - measure.top);
}

}  // namespace

COLORREF BackgroundColour(const TPageView& view) {
  if ((view.background_argb >> 24) == 0) return RGB(255, 255, 255);
  return RGB((view.background_argb >> 16) & 0xFF, (view.background_argb >> 8) & 0xFF, view.background_argb & 0xFF);
}

COLORREF TextColour(const TPageView& view) {
  COLORREF background = BackgroundColour(view);
  int luminance = (GetRValue(background) * 299 + GetGValue(background) * 587 + GetBValue(background) * 114) / 1000;
  return luminance >= 128 ? RGB(24, 24, 24) : RGB(240, 240, 240);
}

void PaintPage(HDC dc, const RECT& area, const TPageView& view) {
  TGdiObject background(CreateSolidBrush(BackgroundColour(view)));
  FillRect(dc, &area, static_cast<HBRUSH>(background.get()));
  int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  COLORREF text_colour = TextColour(view);

  TGdiObject title_font = MakeFont(26, FW_BOLD);
  TGdiObject address_font = MakeFont(13, FW_NORMAL);
  TGdiObject body_font = MakeFont(16, FW_NORMAL);

  int top = area.top + kMargin;
  SelectObject(dc, title_font.get());
  SetTextColor(dc, text_colour);
  top = DrawWrapped(dc, area, top, view.title.empty() ? view.address : view.title, DT_SINGLELINE | DT_END_ELLIPSIS);

  SelectObject(dc, address_font.get());
  SetTextColor(dc, RGB(128, 128, 128));
  top = DrawWrapped(dc, area, top + 4, view.address, DT_SINGLELINE | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS);

  top += 8;
  RECT rule{area.left + kMargin, top, area.right - kMargin, top + 1};
  TGdiObject rule_brush(CreateSolidBrush(RGB(192, 192, 192)));
  if (rule.right > rule.left) FillRect(dc, &rule, static_cast<HBRUSH>(rule_brush.get()));
  top += 12;

  SelectObject(dc, body_font.get());
  SetTextColor(dc, text_colour);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  for (const std::wstring& paragraph : view.paragraphs) {
    if (top >= area.bottom) break;
    top = DrawWrapped(dc, area, top, paragraph) + metrics.tmHeight / 2;
  }
  RestoreDC(dc, saved);
}

}  // namespace standin::page
