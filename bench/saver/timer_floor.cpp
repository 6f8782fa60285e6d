// The floor of the saver's idle cost: a program that does nothing but run a 10 ms thread
// timer from its message loop, as the saver's runtime work does. Runs until ended.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {});
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
