#include "window_tree.h"

#include "polling.h"

#include <cwchar>

namespace kelpa::test {

namespace {

struct TWindowSearch {
  DWORD ProcessId;
  bool VisibleOnly;
  std::vector<HWND> Found;
};

// Window-system callbacks are stdcall on 32-bit Windows, which a lambda cannot be.
BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TWindowSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search.ProcessId && (!search.VisibleOnly || IsWindowVisible(window))) search.Found.push_back(window);
  return TRUE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
  wchar_t name[64];
  int n = GetClassNameW(window, name, 64);
  return std::wstring(name, n > 0 ? n : 0);
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[256];
  int n = GetWindowTextW(window, text, 256);
  return std::wstring(text, n > 0 ? n : 0);
}

std::wstring ControlText(HWND control) {
  wchar_t text[1024];
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000, &copied))
    return L"<no answer>";
  return std::wstring(text, copied);
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId, bool visibleOnly) {
  TWindowSearch search{processId, visibleOnly, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (_wcsicmp(ClassOf(child).c_str(), className.c_str()) == 0) found.push_back(child);
  return found;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ControlText(child) == text) return child;
  return nullptr;
}

RECT RectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

bool WaitUntilAnswering(HWND window) {
  return WaitUntil([&] {
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
  });
}

HWND SettingsEdit(HWND dialog, TSettingsEdit which) {
  const std::vector<HWND> edits = ChildrenOfClass(dialog, L"Edit");
  const size_t index = static_cast<size_t>(which);
  return index < edits.size() ? edits[index] : nullptr;
}

HWND ScreenEdit(HWND dialog, int monitor) {
  return SettingsEdit(dialog, static_cast<TSettingsEdit>(static_cast<int>(TSettingsEdit::Screen1) + monitor - 1));
}

}  // namespace kelpa::test
