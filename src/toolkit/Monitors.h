#pragma once
// The monitors of the desktop, as the system reports them.

#include <windows.h>

#include <vector>

// Each monitor's full rectangle (not its work area) in screen coordinates, in
// the order the system enumerates them.
std::vector<RECT> MonitorRects();

// The virtual desktop, the bounding rectangle of all monitors.
RECT VirtualScreenRect();

// The mouse cursor's position on the screen.
POINT CursorPos();
