// The floor of the saver's idle cost: a program that does nothing but run a 10 ms thread
// timer from its message loop, as the saver's runtime work does. Runs until ended.

#include <windows.h>

namespace {

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SetTimer(nullptr, 0, 10, Tick);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
