#include "toolkit/Form.h"

#include "toolkit/Application.h"

namespace {

constexpr DWORD kBorderStyleMask =
    WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

DWORD StyleOf(TFormBorderStyle style) {
  switch (style) {
    case bsNone: return WS_POPUP;
    case bsSingle: return WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    case bsSizeable: return WS_OVERLAPPEDWINDOW;
    case bsDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU;
  }
  return WS_OVERLAPPEDWINDOW;
}

TCreateParams FormParams() {
  TCreateParams params;
  params.ClassName = EnsureWindowClass(L"TKelpaForm");
  params.Style = StyleOf(bsSizeable) | WS_CLIPCHILDREN;
  return params;
}

}  // namespace

TForm::TForm() : TWinControl(nullptr, FormParams()) {}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  FBorderStyle = style;
  SetStyleBits(kBorderStyleMask, StyleOf(style));
  SetExStyleBits(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, style == bsDialog ? WS_EX_DLGMODALFRAME : 0);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TForm::AlwaysOnTop() const { return (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void TForm::SetAlwaysOnTop(bool onTop) {
  SetWindowPos(Handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    FormShow();
    if (FPosition == poScreenCenter) CenterOnScreen();
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    FocusFirstControl();
  } else {
    ShowWindow(Handle(), SW_HIDE);
    FormHide();
  }
}

void TForm::Close() {
  bool canClose = true;
  FormCloseQuery(canClose);
  if (!canClose) return;
  TCloseAction action = caHide;
  FormClose(action);
  if (action == caNone) return;
  if (Application.MainForm() == this)
    Application.Terminate();
  else
    Hide();
}

namespace {

bool IsButton(HWND window) {
  return window && (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
}

// Reported to the button's parent as a click is, so the button's own handler
// runs, but without the mouse's side effect of moving the focus: a value typed
// into a box stays as typed.
bool Press(HWND button) {
  if (!button || !IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}

HWND HandleOf(TWinControl* control) { return control ? control->Handle() : nullptr; }

}  // namespace

bool TForm::DialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || (message.wParam != VK_ESCAPE && message.wParam != VK_RETURN)) return false;
  HWND focus = GetFocus();
  // A control that takes these keys itself (a multi-line box, say) keeps them.
  auto wants = SendMessageW(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (focus && (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) return false;
  if (message.wParam == VK_ESCAPE) return Press(HandleOf(FCancelButton));
  if (IsButton(focus) && IsChild(Handle(), focus)) return Press(focus);
  return Press(HandleOf(FDefaultButton));
}

TForm* ParentForm(TWinControl& control) {
  TWinControl* top = &control;
  while (top->Parent()) top = top->Parent();
  return dynamic_cast<TForm*>(top);
}

void TForm::CenterOnScreen() {
  int left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
  SetBounds(left, top, Width(), Height());
}

void TForm::FocusFirstControl() {
  HWND target = FLastFocus && IsChild(Handle(), FLastFocus) ? FLastFocus : nullptr;
  if (!target && FActiveControl) target = FActiveControl->Handle();
  if (target) ::SetFocus(target);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        // Remember where the focus was, to put it back when the form is activated again.
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) FLastFocus = focus;
        return 0;
      }
      if (!HIWORD(wParam) && (FLastFocus || FActiveControl)) {
        FocusFirstControl();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (FLastFocus || FActiveControl) {
        FocusFirstControl();
        return 0;
      }
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
