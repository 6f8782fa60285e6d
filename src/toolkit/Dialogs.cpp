#include "toolkit/Dialogs.h"

#include "toolkit/Application.h"

#include <windows.h>

void ShowMessage(const std::wstring& text) {
  HWND owner = GetActiveWindow();
  UINT flags = MB_OK | MB_SETFOREGROUND | (owner ? 0 : MB_TASKMODAL);
  MessageBoxW(owner, text.c_str(), Application.Title().c_str(), flags);
}
