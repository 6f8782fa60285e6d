#pragma once
// The page's viewport as a browser on that monitor would lay it out: the window's size in
// device pixels, the monitor's DPI (96 is 100 %) and the browser's zoom level (each step is
// 20 % more, as in Chromium) give the CSS size and the device scale factor. The frames come in
// device pixels, one for each of the window's.

namespace standin::engine {

struct TViewport {
  int css_width = 1;
  int css_height = 1;
  double scale = 1;  // device pixels per CSS pixel
  int device_width = 1;
  int device_height = 1;
};

TViewport ViewportFor(int width, int height, int dpi, double zoom_level);

}  // namespace standin::engine
