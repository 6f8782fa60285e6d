#pragma once
// The native window of one browser: a child window (or, for developer tools, a top-level
// window) that paints its page view. It tells its owner about focus, keys and its own end
// through callbacks, which run inside its window procedure on the window's thread. A
// WM_SETFOCUS that is only posted to it (as a host window passes focus on) takes the real
// keyboard focus.

#include "page_view.h"

#include <windows.h>

#include <functional>

namespace standin::page {

struct TPageWindowEvents {
  std::function<void()> on_focus;
  std::function<void(UINT message, WPARAM wparam, LPARAM lparam)> on_key;
  // Mouse buttons, moves and the wheel.
  std::function<void(UINT message, WPARAM wparam, LPARAM lparam)> on_mouse;
  // The new client size, also when the monitor's DPI changes (the page's scale follows it).
  std::function<void(int width, int height)> on_resized;
  std::function<void()> on_destroyed;  // the window is gone (destroyed by anyone)
};

// The DPI of the monitor that shows the window (96 is 100 %).
int WindowDpi(HWND window);

class TPageWindow {
 public:
  TPageWindow() = default;
  ~TPageWindow();  // destroys the window if it still exists
  TPageWindow(const TPageWindow&) = delete;
  TPageWindow& operator=(const TPageWindow&) = delete;

  // False when the window could not be created (for instance a child without a parent).
  // Position and size as CreateWindowExW takes them (CW_USEDEFAULT works for top-level ones).
  bool Create(HWND parent, DWORD style, DWORD ex_style, int x, int y, int width, int height, const wchar_t* name,
              TPageWindowEvents events);
  HWND Handle() const { return FWindow; }
  void SetView(TPageView view);
  const TPageView& View() const { return FView; }
  void Destroy();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Paint(HDC dc);

  HWND FWindow = nullptr;
  TPageView FView;
  TPageWindowEvents FEvents;
};

}  // namespace standin::page
