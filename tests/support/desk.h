#pragma once
// What a person at the workstation has: the monitors, the mouse (moved through
// the system's input queue, which also works on a nested X server where
// xdotool cannot move the pointer), and a camera for screenshots.

#include <windows.h>

#include <string>
#include <vector>

namespace kelpa::test {

// The monitors in the system's enumeration order, by their full rectangles.
std::vector<RECT> Monitors();
// Moves the pointer as a mouse does, to a point of the virtual desktop.
void MoveMouseTo(int x, int y);
// Presses a key as the keyboard does (a virtual-key code).
void PressVirtualKey(WORD key);

// The runtime's page windows inside the saver's screen window, by their rectangles on the desktop.
struct TPageWindow {
  HWND Window;
  RECT Rect;
};
std::vector<TPageWindow> PageWindows(HWND screen);
// The "Loading Screen" overlay captions now visible, in window order.
std::vector<std::wstring> VisibleOverlays(HWND screen);

// Saves the screen (or a rectangle of it) as a PNG named name in the folder that
// KELPA_SCREENSHOTS names; does nothing when it names none.
void SaveScreenshot(const std::string& name, const RECT* area = nullptr);

}  // namespace kelpa::test
