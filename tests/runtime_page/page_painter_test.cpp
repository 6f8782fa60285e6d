#include "page_painter.h"

#include "window_capture.h"

#include <gtest/gtest.h>

namespace standin::page {
namespace {

using kelpa::test::TCapture;

constexpr int kWidth = 400;
constexpr int kHeight = 300;
// The painter puts the title in the first band below the top margin.
constexpr RECT kTitleBand{16, 16, kWidth - 16, 46};

TCapture Paint(const TPageView& view, int width = kWidth, int height = kHeight) {
  return TCapture::OfPainting(width, height, [&](HDC dc, const RECT& area) { PaintPage(dc, area, view); });
}

TEST(PagePainter, DrawsTheTitleInDarkTextOnWhite) {
  TPageView view{L"Title Text", L"http://h/", {}, 0, nullptr};
  TCapture capture = Paint(view);
  EXPECT_EQ(capture.Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(capture.Pixel(kWidth - 1, kHeight - 1), RGB(255, 255, 255));
  EXPECT_GT(capture.DarkPixels(kTitleBand), 50);
  // A short title leaves the right part of its band empty.
  EXPECT_EQ(capture.DarkPixels({kWidth / 2 + 50, 16, kWidth, 46}), 0);
}

TEST(PagePainter, ShowsTheAddressWhenThereIsNoTitle) {
  TCapture without_title = Paint(TPageView{L"", L"http://address.test/", {}, 0, nullptr});
  EXPECT_GT(without_title.DarkPixels(kTitleBand), 50);
  TCapture nothing = Paint(TPageView{L"", L"", {}, 0, nullptr});
  EXPECT_EQ(nothing.DarkPixels({0, 0, kWidth, kHeight}), 0);
}

TEST(PagePainter, WrapsParagraphsWithinTheMargins) {
  std::wstring long_text;
  for (int i = 0; i < 60; ++i) long_text += L"word ";
  TCapture capture = Paint(TPageView{L"T", L"a", {long_text}, 0, nullptr});
  RECT body{0, 90, kWidth, kHeight};
  EXPECT_GT(capture.DarkPixels(body), 200);
  EXPECT_EQ(capture.DarkPixels({kWidth - 14, 0, kWidth, kHeight}), 0);
  // Several lines: dark pixels far below the first text line.
  EXPECT_GT(capture.DarkPixels({0, 160, kWidth, kHeight}), 50);
}

TEST(PagePainter, HonoursTheBackgroundColourWithReadableText) {
  TPageView view{L"Dark Page", L"x", {L"light text"}, 0xFF102040, nullptr};
  TCapture capture = Paint(view);
  EXPECT_EQ(capture.Pixel(0, 0), RGB(0x10, 0x20, 0x40));
  EXPECT_GT(capture.BrightPixels(kTitleBand), 50);
  EXPECT_EQ(TextColour(view), RGB(240, 240, 240));
  EXPECT_EQ(BackgroundColour(TPageView{L"", L"", {}, 0x00102040, nullptr}), RGB(255, 255, 255));
}

TEST(PagePainter, CopesWithTinyAreas) {
  TCapture capture = Paint(TPageView{L"Title", L"addr", {L"text"}, 0, nullptr}, 10, 5);
  EXPECT_EQ(capture.Width(), 10);
}

}  // namespace
}  // namespace standin::page
