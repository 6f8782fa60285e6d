#include "toolkit/Graphics.h"

#include "base/Exceptions.h"

COLORREF ColorToRGB(TColor color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return color;
}

TFontHandle CreateFontHandle(const TFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = -font.Height;  // negative: the character height, not the cell height
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
  TFontHandle handle(CreateFontIndirectW(&lf));
  if (!handle) RaiseLastOSError();
  return handle;
}
