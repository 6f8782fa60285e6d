#include "toolkit/CustomControl.h"

LRESULT TCustomControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // Paint covers it
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
