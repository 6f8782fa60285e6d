#include "MessageBoxWatcher.h"

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64];
  int n = GetClassNameW(window, name, 64);
  return std::wstring(name, n > 0 ? n : 0);
}

std::wstring TextOf(HWND window) {
  wchar_t text[4096];
  int n = GetWindowTextW(window, text, 4096);
  return std::wstring(text, n > 0 ? n : 0);
}

BOOL CALLBACK RememberVisibleBox(HWND window, LPARAM data) {
  if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindBox(DWORD threadId) {
  HWND found = nullptr;
  EnumThreadWindows(threadId, RememberVisibleBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

TMessageBoxWatcher::TMessageBoxWatcher(DWORD guiThreadId) : FThread([this, guiThreadId] { Watch(guiThreadId); }) {}

TMessageBoxWatcher::~TMessageBoxWatcher() {
  FStop = true;
  if (FThread.joinable()) FThread.join();
}

TSeenMessageBox TMessageBoxWatcher::Seen() {
  if (FThread.joinable()) FThread.join();
  return FSeen;
}

void TMessageBoxWatcher::Watch(DWORD guiThreadId) {
  for (int attempt = 0; attempt < 2000 && !FStop; ++attempt) {
    HWND box = FindBox(guiThreadId);
    if (!box) {
      Sleep(10);
      continue;
    }
    Sleep(50);  // let the box finish laying itself out
    FSeen.Found = true;
    FSeen.Title = TextOf(box);
    FSeen.Text = TextOf(GetDlgItem(box, 0xFFFF));  // the message text of a message box
    GetWindowRect(box, &FSeen.Bounds);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ClassOf(child) == L"Button" && IsWindowVisible(child)) {
        if (FSeen.Buttons++ == 0) FSeen.FirstButton = TextOf(child);
      }
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return;
  }
}
