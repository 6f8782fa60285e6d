#include "screen/ScreenForm.h"

TScreenForm* ScreenForm = nullptr;

TScreenForm::TScreenForm() {
  SetCaption(L"Screen");
  SetBorderStyle(bsNone);
  SetAlwaysOnTop(true);
  SetColor(clBlack);
  SetFont(TFont{L"Tahoma", 11, clWindowText});
}

void TScreenForm::FormCreate() {
  SetBounds(0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

LRESULT TScreenForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Until the saver watches its input, Escape is the way out.
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    Close();
    return 0;
  }
  return TForm::WndProc(message, wParam, lParam);
}
