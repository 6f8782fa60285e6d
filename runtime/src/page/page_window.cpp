#include "page_window.h"

#include "page_painter.h"
#include "page_picture.h"

#include <utility>

namespace standin::page {

namespace {

constexpr const wchar_t* kClassName = L"StandinBrowserView";
// Sent to child windows when their monitor's DPI changes (Windows 10 1703 on).
constexpr UINT kDpiChanged = 0x02E0, kDpiChangedAfterParent = 0x02E3;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool RegisterOnce(WNDPROC procedure) {
  HINSTANCE module = ThisModule();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(module, kClassName, &existing)) return true;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = module;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.lpszClassName = kClassName;
  return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

TPageWindow::~TPageWindow() { Destroy(); }

bool TPageWindow::Create(HWND parent, DWORD style, DWORD ex_style, int x, int y, int width, int height,
                         const wchar_t* name, TPageWindowEvents events) {
  if (!RegisterOnce(&WindowProc)) return false;
  FEvents = std::move(events);
  FWindow = CreateWindowExW(ex_style, kClassName, name ? name : L"", style, x, y, width, height, parent, nullptr,
                            ThisModule(), this);
  return FWindow != nullptr;
}

void TPageWindow::SetView(TPageView view) {
  if (FView.picture != view.picture) {
    if (FView.picture) FView.picture->ShownIn(nullptr);
    if (view.picture) view.picture->ShownIn(FWindow);
  }
  FView = std::move(view);
  if (FWindow) InvalidateRect(FWindow, nullptr, FALSE);
}

int WindowDpi(HWND window) {
  // Per monitor where the system knows it (Windows 10 on), else the system's.
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static auto get_dpi = reinterpret_cast<TGetDpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi && window)
    if (UINT dpi = get_dpi(window)) return static_cast<int>(dpi);
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

void TPageWindow::Destroy() {
  if (!FWindow) return;
  // Nobody is told about a window its owner takes down itself.
  FEvents = TPageWindowEvents();
  HWND window = std::exchange(FWindow, nullptr);
  if (FView.picture) FView.picture->ShownIn(nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

void TPageWindow::Paint(HDC dc) {
  RECT client;
  GetClientRect(FWindow, &client);
  int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  // An engine's frame goes to the screen in one blit; it covers the window.
  if (FView.picture && FView.picture->Paint(dc, client, BackgroundColour(FView))) return;
  // Painted off-screen first so that a repaint never flickers.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  PaintPage(memory, client, FView);
  BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

LRESULT CALLBACK TPageWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<TPageWindow*>(create->lpCreateParams)->FWindow = window;
  }
  auto* self = reinterpret_cast<TPageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT TPageWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = FWindow;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      if (FEvents.on_resized) FEvents.on_resized(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case kDpiChanged:
    case kDpiChangedAfterParent: {
      // The page is laid out anew for the monitor's scale, as at a new size.
      RECT client;
      GetClientRect(window, &client);
      if (FEvents.on_resized) FEvents.on_resized(client.right - client.left, client.bottom - client.top);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (GetFocus() != window) SetFocus(window);
      if (FEvents.on_mouse) FEvents.on_mouse(message, wparam, lparam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      if (FEvents.on_mouse) FEvents.on_mouse(message, wparam, lparam);
      break;
    case WM_SETFOCUS:
      if (GetFocus() != window) {
        SetFocus(window);  // comes back here as the real thing
        return 0;
      }
      if (FEvents.on_focus) FEvents.on_focus();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      if (FEvents.on_key) FEvents.on_key(message, wparam, lparam);
      break;
    case WM_NCDESTROY: {
      if (FView.picture) FView.picture->ShownIn(nullptr);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      FWindow = nullptr;
      auto destroyed = std::move(FEvents.on_destroyed);
      FEvents = TPageWindowEvents();
      if (destroyed) destroyed();
      return DefWindowProcW(window, message, wparam, lparam);
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace standin::page
