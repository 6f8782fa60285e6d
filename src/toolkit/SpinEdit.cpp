#include "toolkit/SpinEdit.h"

#include "base/SysUtils.h"

TSpinEdit::TSpinEdit(TWinControl& parent) : TEdit(parent, WS_CLIPCHILDREN), FButton(*this) {
  FButton.OnClick = [this](int direction) { Step(direction); };
  SetValue(0);
}

int TSpinEdit::Clamp(long long value) const {
  if (value < FMinValue) return FMinValue;
  if (value > FMaxValue) return FMaxValue;
  return static_cast<int>(value);
}

int TSpinEdit::Value() const { return TryStrToInt(Text()).value_or(FMinValue); }

void TSpinEdit::SetValue(int value) { SetText(IntToStr(Clamp(value))); }

void TSpinEdit::Step(int direction) {
  // In 64 bits: a typed value near the end of the int range must not overflow.
  SetValue(Clamp(static_cast<long long>(Value()) + static_cast<long long>(direction) * FIncrement));
}

void TSpinEdit::ClampText() {
  std::optional<int> typed = TryStrToInt(Text());
  int clamped = Clamp(typed.value_or(FMinValue));
  if (!typed || *typed != clamped) SetText(IntToStr(clamped));
}

void TSpinEdit::LayoutButton() {
  RECT client;
  GetClientRect(Handle(), &client);
  int width = GetSystemMetrics(SM_CXVSCROLL);
  SetWindowPos(FButton.Handle(), nullptr, client.right - width, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  Perform(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

LRESULT TSpinEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN) {
        Step(wParam == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_KILLFOCUS: {
      LRESULT result = TEdit::WndProc(message, wParam, lParam);
      ClampText();
      return result;
    }
    case WM_SIZE: {
      LRESULT result = TEdit::WndProc(message, wParam, lParam);
      LayoutButton();
      return result;
    }
  }
  return TEdit::WndProc(message, wParam, lParam);
}
