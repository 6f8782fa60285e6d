#pragma once
// Draws a page view with GDI: background, the title in large bold type, the address below
// it in grey, a rule, then the paragraphs word-wrapped to the width, as far as they fit.

#include "page_view.h"

#include <windows.h>

namespace standin::page {

// The colour the background is painted in.
COLORREF BackgroundColour(const TPageView& view);
// Dark text on light backgrounds, light text on dark ones.
COLORREF TextColour(const TPageView& view);

void PaintPage(HDC dc, const RECT& area, const TPageView& view);

}  // namespace standin::page
