#include "desk.h"

#include "person.h"
#include "window_tree.h"

#include <gtest/gtest.h>

namespace kelpa::test {

namespace {

// Window-system callbacks are stdcall on 32-bit Windows, which a lambda cannot be.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcMonitor);
  return TRUE;
}

BOOL CALLBACK AddPageWindow(HWND child, LPARAM data) {
  RECT r;
  if (ClassOf(child) == L"StandinBrowserView" && GetWindowRect(child, &r))
    reinterpret_cast<std::vector<TPageWindow>*>(data)->push_back({child, r});
  return TRUE;
}

}  // namespace

std::vector<RECT> Monitors() {
  std::vector<RECT> rects;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
  return rects;
}

void MoveMouseTo(int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  input.mi.dx = (x - left) * 65535 / (width - 1);
  input.mi.dy = (y - top) * 65535 / (height - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  SendInput(1, &input, sizeof input);
  Sleep(100);  // the program handles the movement
}

void PressVirtualKey(WORD key) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
  Sleep(100);
}

std::vector<TPageWindow> PageWindows(HWND screen) {
  std::vector<TPageWindow> pages;
  EnumChildWindows(screen, AddPageWindow, reinterpret_cast<LPARAM>(&pages));
  return pages;
}

std::vector<std::wstring> VisibleOverlays(HWND screen) {
  std::vector<std::wstring> captions;
  for (HWND child = GetWindow(screen, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) {
      std::wstring caption = ControlText(child);
      if (caption.starts_with(L"Loading Screen")) captions.push_back(caption);
    }
  return captions;
}

void SaveScreenshot(const std::string& name, const RECT* area) {
  char folder[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("KELPA_SCREENSHOTS", folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::string crop;
  if (area)
    crop = " -crop " + std::to_string(area->right - area->left) + "x" + std::to_string(area->bottom - area->top) + "+" +
           std::to_string(area->left) + "+" + std::to_string(area->top) + " +repage";
  RunHostCommand("mkdir -p '" + std::string(folder) + "' && import -window root" + crop + " '" + folder + "/" + name +
                 ".png'");
}

}  // namespace kelpa::test
