#pragma once
// Where the screen window and each monitor's page go. The window covers the
// virtual desktop, whose origin may be left of or above the primary monitor;
// pages are placed inside the window, so their rectangles are taken relative
// to that origin.

#include <cstddef>
#include <span>
#include <vector>

struct TScreenRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  bool operator==(const TScreenRect&) const = default;
};

struct TScreenPoint {
  int X = 0;
  int Y = 0;

  bool operator==(const TScreenPoint&) const = default;
};

// The saver drives at most this many monitors; any further ones stay black.
constexpr std::size_t MaxScreenMonitors = 5;

struct TScreenLayout {
  TScreenRect Window;                 // screen coordinates
  std::vector<TScreenRect> Monitors;  // window coordinates, in enumeration order
  TScreenPoint PrimaryOrigin;         // window coordinates of the primary monitor's corner, screen (0, 0)
};

// desktop: the virtual desktop in screen coordinates; monitors: their full
// rectangles in screen coordinates, in the order the system enumerates them.
TScreenLayout LayoutScreen(const TScreenRect& desktop, std::span<const TScreenRect> monitors);
