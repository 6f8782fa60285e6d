// The start-up floor: a bare Win32 program that registers a class, shows one window and
// ends at its first paint. Its exit code is the low 31 bits of GetTickCount64 then.

#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    PostQuitMessage(static_cast<int>(GetTickCount64() & 0x7FFFFFFF));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"BareWindow";
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"BareWindow", L"Bare", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                                instance, nullptr);
  UpdateWindow(window);
  MSG message;
  int code = 0;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  code = static_cast<int>(message.wParam);
  return code;
}
