#include "Desk.h"

#include "SaverProcess.h"

#include <gtest/gtest.h>

namespace kelpa::e2e {

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64];
  int n = GetClassNameW(window, name, 64);
  return std::wstring(name, n > 0 ? n : 0);
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Runs a command of the host system to its end; Wine gives no usable handle of
// a host process, so the command leaves a file behind when it is done.
void RunHostCommand(const std::string& command) {
  static int count = 0;
  const std::string done = "/tmp/kelpa-e2e-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
  std::wstring windowsDone = L"Z:" + Widen(done);
  for (wchar_t& c : windowsDone)
    if (c == L'/') c = L'\\';
  std::wstring commandLine = L"/bin/sh -c \"" + Widen(command) + L"; touch " + Widen(done) + L"\"";
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  BOOL started =
      CreateProcessW(L"/bin/sh", commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(nul);
  if (!started) {
    ADD_FAILURE() << "could not start a host program: " << command;
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; GetFileAttributesW(windowsDone.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 50) {
    if (waited > 30000) {
      ADD_FAILURE() << "host command did not end: " << command;
      return;
    }
    Sleep(50);
  }
  DeleteFileW(windowsDone.c_str());
}

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

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
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

}  // namespace kelpa::e2e
