#include "viewport.h"

#include <algorithm>
#include <cmath>

namespace standin::engine {

namespace {

constexpr int kBaseDpi = 96;
constexpr double kZoomStep = 1.2;
constexpr double kSmallestScale = 0.25, kLargestScale = 10;

}  // namespace

TViewport ViewportFor(int width, int height, int dpi, double zoom_level) {
  TViewport viewport;
  viewport.device_width = std::max(width, 1);
  viewport.device_height = std::max(height, 1);
  double scale = (dpi > 0 ? dpi : kBaseDpi) / double(kBaseDpi) * std::pow(kZoomStep, zoom_level);
  viewport.scale = std::isfinite(scale) ? std::clamp(scale, kSmallestScale, kLargestScale) : 1.0;
  viewport.css_width = std::max(1, static_cast<int>(std::lround(viewport.device_width / viewport.scale)));
  viewport.css_height = std::max(1, static_cast<int>(std::lround(viewport.device_height / viewport.scale)));
  return viewport;
}

}  // namespace standin::engine
