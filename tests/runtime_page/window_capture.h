#pragma once
// 32-bit pixels of something GDI drew: a window (through PrintWindow, so it works for
// windows that are covered or off-screen) or a paint callback into a memory bitmap.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelpa::test {

class TCapture {
 public:
  static TCapture OfWindow(HWND window);
  static TCapture OfPainting(int width, int height, const std::function<void(HDC, const RECT&)>& paint);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  COLORREF Pixel(int x, int y) const;
  // Pixels in [left, right) x [top, bottom) whose brightness is below the threshold.
  int DarkPixels(const RECT& area, int threshold = 100) const;
  int BrightPixels(const RECT& area, int threshold = 180) const;
  int PixelsOfColour(const RECT& area, COLORREF colour) const;
  // Writes a 24-bit BMP; false when the file cannot be written.
  bool SaveBmp(const std::wstring& path) const;

 private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint32_t> FPixels;  // top-down rows of 0x00RRGGBB
};

}  // namespace kelpa::test
