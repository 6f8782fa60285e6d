#include "page_picture.h"

#include <algorithm>
#include <utility>

namespace standin::page {

TPagePicture::~TPagePicture() {
  Free(FBack);
  Free(FReady);
  Free(FFront);
}

void TPagePicture::Free(TBuffer& buffer) {
  if (buffer.bitmap) DeleteObject(buffer.bitmap);
  buffer = TBuffer();
}

uint8_t* TPagePicture::BeginFrame(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  if (FBack.bitmap && FBack.width == width && FBack.height == height) return FBack.bits;
  Free(FBack);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  FBack = {bitmap, static_cast<uint8_t*>(bits), width, height};
  return FBack.bits;
}

bool TPagePicture::EndFrame() {
  HWND window;
  {
    std::lock_guard<std::mutex> lock(FLock);
    std::swap(FBack, FReady);
    FFresh = true;
    window = FWindow;
  }
  if (window) InvalidateRect(window, nullptr, FALSE);
  return window != nullptr;
}

void TPagePicture::ShownIn(HWND window) const {
  std::lock_guard<std::mutex> lock(FLock);
  FWindow = window;
}

bool TPagePicture::Paint(HDC dc, const RECT& area, COLORREF background) const {
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FFresh) std::swap(FReady, FFront);
    FFresh = false;
  }
  if (!FFront.bitmap) return false;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, FFront.bitmap);
  int width = area.right - area.left, height = area.bottom - area.top;
  BitBlt(dc, area.left, area.top, std::min(width, FFront.width), std::min(height, FFront.height), memory, 0, 0,
         SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  // A frame smaller than the window (the window has just grown): the rest in the background.
  HBRUSH brush = nullptr;
  auto fill = [&](RECT rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    if (!brush) brush = CreateSolidBrush(background);
    FillRect(dc, &rect, brush);
  };
  fill({area.left + FFront.width, area.top, area.right, area.bottom});
  fill({area.left, area.top + FFront.height, std::min(area.right, area.left + FFront.width), area.bottom});
  if (brush) DeleteObject(brush);
  return true;
}

}  // namespace standin::page
