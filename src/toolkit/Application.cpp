#include "toolkit/Application.h"

#include "base/Exceptions.h"
#include "toolkit/Dialogs.h"

#include <commctrl.h>

#include <filesystem>

TApplication Application;

TApplication::~TApplication() { DestroyForms(); }

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS;
  InitCommonControlsEx(&controls);
  if (FHandle) return;
  HWND window = CreateWindowExW(0, EnsureWindowClass(L"TKelpaApplication", 0), Title().c_str(), WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) RaiseLastOSError();
  FHandle.reset(window);
}

std::wstring TApplication::Title() const {
  if (!FTitle.empty()) return FTitle;
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, n)).stem().wstring();
}

void TApplication::SetTitle(const std::wstring& title) {
  FTitle = title;
  if (FHandle) SetWindowTextW(FHandle.get(), title.c_str());
}

void TApplication::AdoptForm(std::unique_ptr<TForm> form, std::function<void()> clearReference) {
  if (!FMainForm) {
    FMainForm = form.get();
    if (!FMainFormOnTaskBar) {
      Initialize();
      // An owned window gets no task-bar button.
      SetWindowLongPtrW(FMainForm->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(FHandle.get()));
    }
  }
  FForms.push_back({std::move(form), std::move(clearReference)});
}

void TApplication::DestroyForms() {
  while (!FForms.empty()) {
    TFormEntry entry = std::move(FForms.back());
    FForms.pop_back();
    entry.ClearReference();
    if (entry.Form.get() == FMainForm) FMainForm = nullptr;
    entry.Form.reset();
  }
}

void TApplication::Run() {
  try {
    if (FShowMainForm && FMainForm) FMainForm->Show();
  } catch (...) {
    HandleException();
  }
  MSG message;
  while (!FTerminated && GetMessageW(&message, nullptr, 0, 0) > 0) ProcessMessage(message);
  // The request is used up: the loop could run again.
  PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  FTerminated = false;
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);  // wakes the loop up if it is waiting
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the loop that owns it.
      FTerminated = true;
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ProcessMessage(message);
  }
}

void TApplication::ProcessMessage(MSG& message) {
  try {
    bool handled = false;
    if (OnMessage) {
      // A copy: the hook may replace or remove itself while it runs.
      TMessageEvent hook = OnMessage;
      hook(message, handled);
    }
    if (handled || IsDialogKeyMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  } catch (...) {
    HandleException();
  }
}

namespace {

// A key the control under the focus handles itself (a browser wants Tab and letters) is no
// dialog navigation key; foreign child windows ask the nearest control of ours above them.
bool ControlWantsKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
  for (HWND window = message.hwnd; window; window = GetParent(window))
    if (TWinControl* control = TWinControl::FromHandle(window))
      return control->Perform(CM_WANTSPECIALKEY, message.wParam) != 0;
  return false;
}

}  // namespace

bool TApplication::IsDialogKeyMessage(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
  return form && form->DialogKeys() && !ControlWantsKey(message) &&
         (form->DialogKey(message) || IsDialogMessageW(root, &message));
}

void TApplication::HandleException() noexcept {
  std::wstring message;
  try {
    message = CurrentExceptionMessage();
  } catch (...) {
    message = L"Unknown exception";
  }
  ShowException(message);
}

void TApplication::ShowException(const std::wstring& message) noexcept {
  try {
    if (OnException)
      OnException(message);
    else
      ShowMessage(message);
  } catch (...) {
    // Nothing sensible is left to report to.
  }
}
