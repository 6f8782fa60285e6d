#include "window_capture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kelpa::test {

namespace {

int Brightness(uint32_t pixel) {
  int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return (r * 299 + g * 587 + b * 114) / 1000;
}

}  // namespace

TCapture TCapture::OfPainting(int width, int height, const std::function<void(HDC, const RECT&)>& paint) {
  TCapture capture;
  if (width <= 0 || height <= 0) return capture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  RECT area{0, 0, width, height};
  paint(memory, area);
  GdiFlush();
  capture.FWidth = width;
  capture.FHeight = height;
  const uint32_t* pixels = static_cast<const uint32_t*>(bits);
  capture.FPixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
  for (uint32_t& p : capture.FPixels) p &= 0x00FFFFFF;
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return capture;
}

TCapture TCapture::OfWindow(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return OfPainting(client.right, client.bottom,
                    [window](HDC dc, const RECT&) { PrintWindow(window, dc, PW_CLIENTONLY); });
}

COLORREF TCapture::Pixel(int x, int y) const {
  uint32_t p = FPixels[static_cast<size_t>(y) * FWidth + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int TCapture::DarkPixels(const RECT& area, int threshold) const {
  int count = 0;
  for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, FHeight); ++y)
    for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, FWidth); ++x)
      if (Brightness(FPixels[static_cast<size_t>(y) * FWidth + x]) < threshold) ++count;
  return count;
}

int TCapture::BrightPixels(const RECT& area, int threshold) const {
  int count = 0;
  for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, FHeight); ++y)
    for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, FWidth); ++x)
      if (Brightness(FPixels[static_cast<size_t>(y) * FWidth + x]) > threshold) ++count;
  return count;
}

int TCapture::PixelsOfColour(const RECT& area, COLORREF colour) const {
  int count = 0;
  for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, FHeight); ++y)
    for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, FWidth); ++x)
      if (Pixel(x, y) == colour) ++count;
  return count;
}

bool TCapture::SaveBmp(const std::wstring& path) const {
  int row_bytes = (FWidth * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = FWidth;
  header.biHeight = FHeight;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(row_bytes * FHeight);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  std::vector<char> row(static_cast<size_t>(row_bytes), 0);
  for (int y = FHeight - 1; y >= 0; --y) {
    for (int x = 0; x < FWidth; ++x) {
      uint32_t p = FPixels[static_cast<size_t>(y) * FWidth + x];
      row[x * 3] = static_cast<char>(p & 0xFF);
      row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
    }
    out.write(row.data(), row_bytes);
  }
  return static_cast<bool>(out);
}

}  // namespace kelpa::test
