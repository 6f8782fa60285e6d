#include "screen/ScreenLayout.h"

#include <algorithm>

TScreenLayout LayoutScreen(const TScreenRect& desktop, std::span<const TScreenRect> monitors) {
  TScreenLayout layout{desktop, {}, {-desktop.Left, -desktop.Top}};
  std::size_t count = std::min(monitors.size(), MaxScreenMonitors);
  for (const TScreenRect& monitor : monitors.first(count))
    layout.Monitors.push_back({monitor.Left - desktop.Left, monitor.Top - desktop.Top, monitor.Width, monitor.Height});
  return layout;
}
