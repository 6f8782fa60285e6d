#include "toolkit/WinControl.h"

#include "base/Exceptions.h"
#include "toolkit/Application.h"

#include <algorithm>

namespace {

const wchar_t kOwnerProperty[] = L"Kelpa.TWinControl";

}  // namespace

const wchar_t* EnsureWindowClass(const wchar_t* name, UINT classStyle) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name, &existing)) return name;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = DefWindowProcW;  // every window is subclassed right after creation
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  if (!RegisterClassExW(&wc)) RaiseLastOSError();
  return name;
}

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (owner) owner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (FOwner) std::erase(FOwner->FComponents, this);
}

void TComponent::DestroyComponents() noexcept {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    FComponents.pop_back();
    last->FOwner = nullptr;
    delete last;  // owned since MakeComponent: this list is its only owner
  }
}

TWinControl::TWinControl(TWinControl* parent, const TCreateParams& params) : FParent(parent) {
  if (parent) {
    FFont = parent->FFont;
    FColor = parent->Color();
  } else {
    FParentFont = false;
    FParentColor = false;
  }
  DWORD style = params.Style | (parent ? WS_CHILD : 0);
  HMENU id = nullptr;
  if (parent) id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + parent->FControls.size()));
  HWND window = CreateWindowExW(params.ExStyle, params.ClassName, params.Caption.c_str(), style, 0, 0, 0, 0,
                                parent ? parent->Handle() : nullptr, id, GetModuleHandleW(nullptr), nullptr);
  if (!window) RaiseLastOSError();
  AttachWindow(window);
  if (parent) parent->FControls.push_back(this);
  ApplyFont();
}

TWinControl::TWinControl(TComponent* owner, const TCreateParams& params, TOnDemand)
    : TComponent(owner), FCreateParams(params) {}

void TWinControl::AttachWindow(HWND window) {
  FHandle.reset(window);
  if (!SetPropW(window, kOwnerProperty, this)) RaiseLastOSError();
  FDefWindowProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::SubclassProc)));
}

void TWinControl::HandleNeeded() {
  if (HandleAllocated()) return;
  if (!FParent) throw Exception(L"Control has no parent window");
  FParent->HandleNeeded();
  CreateWnd();
}

void TWinControl::CreateWnd() {
  DWORD style = FCreateParams.Style | WS_CHILD | (FVisible ? WS_VISIBLE : 0);
  HWND window = CreateWindowExW(FCreateParams.ExStyle, FCreateParams.ClassName, FCreateParams.Caption.c_str(), style,
                                FBounds.left, FBounds.top, FBounds.right - FBounds.left, FBounds.bottom - FBounds.top,
                                FParent->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) RaiseLastOSError();
  AttachWindow(window);
  ApplyFont();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) std::erase(FParent->FControls, this);
  FParent = parent;
  if (parent) {
    parent->FControls.push_back(this);
    if (FParentFont) FFont = parent->FFont;
  }
  if (HandleAllocated()) {
    ::SetParent(Handle(), parent ? parent->Handle() : nullptr);
  } else if (parent && parent->HandleAllocated() && IsWindowVisible(parent->Handle())) {
    HandleNeeded();
  }
}

TWinControl::~TWinControl() {
  // Owned controls go while this window still exists, as they were made.
  DestroyComponents();
  if (FParent) std::erase(FParent->FControls, this);
  for (TWinControl* child : FControls) child->FParent = nullptr;
  if (HWND window = Handle()) {
    // The object is being torn down: let the window die with its class's own
    // procedure so no message reaches a half-destroyed object.
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWindowProc));
    RemovePropW(window, kOwnerProperty);
  }
  FHandle.reset();
}

TWinControl* TWinControl::FromHandle(HWND window) noexcept {
  if (!window) return nullptr;
  return static_cast<TWinControl*>(GetPropW(window, kOwnerProperty));
}

void TWinControl::Detach() noexcept {
  HWND window = FHandle.release();
  if (window) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWindowProc));
    RemovePropW(window, kOwnerProperty);
  }
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* self = FromHandle(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed from outside (with its parent, say): the object lives on without a window.
    WNDPROC original = self->FDefWindowProc;
    self->Detach();
    return CallWindowProcW(original, window, message, wParam, lParam);
  }
  try {
    return self->WndProc(message, wParam, lParam);
  } catch (...) {
    Application.HandleException();
    return 0;
  }
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      LRESULT result = DefaultHandler(message, wParam, lParam);
      Resize();
      return result;
    }
    case WM_COMMAND:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this)
        if (child->CommandReflected(HIWORD(wParam))) return 0;
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (TWinControl* child = FromHandle(header->hwndFrom); child && child != this) {
        LRESULT result = 0;
        if (child->NotifyReflected(*header, result)) return result;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (TWinControl* child = FromHandle(item.hwndItem); child && child != this)
        if (child->DrawItemReflected(item)) return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this)
        if (HBRUSH brush = child->CtlColorReflected(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(FDefWindowProc, Handle(), message, wParam, lParam);
}

bool TWinControl::CommandReflected(WORD) { return false; }

bool TWinControl::NotifyReflected(NMHDR&, LRESULT&) { return false; }

bool TWinControl::DrawItemReflected(const DRAWITEMSTRUCT&) { return false; }

HBRUSH TWinControl::CtlColorReflected(HDC dc) {
  SetTextColor(dc, ColorToRGB(FFont.Color));
  SetBkColor(dc, ColorToRGB(Color()));
  return Brush();
}

HBRUSH TWinControl::Brush() {
  COLORREF rgb = ColorToRGB(Color());
  if (!FBrush || FBrushColor != rgb) {
    TBrushHandle brush(CreateSolidBrush(rgb));
    if (!brush) RaiseLastOSError();
    FBrush = std::move(brush);
    FBrushColor = rgb;
  }
  return FBrush.get();
}

void TWinControl::PaintBackground(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  FillRect(dc, &r, Brush());
}

bool TWinControl::IsChildWindow() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_CHILD) != 0; }

namespace {

RECT BoundsOf(HWND window, bool child) {
  RECT r;
  GetWindowRect(window, &r);
  if (child) MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

int TWinControl::Left() const { return HandleAllocated() ? BoundsOf(Handle(), IsChildWindow()).left : FBounds.left; }
int TWinControl::Top() const { return HandleAllocated() ? BoundsOf(Handle(), IsChildWindow()).top : FBounds.top; }
int TWinControl::Width() const {
  RECT r = HandleAllocated() ? BoundsOf(Handle(), false) : FBounds;
  return r.right - r.left;
}
int TWinControl::Height() const {
  RECT r = HandleAllocated() ? BoundsOf(Handle(), false) : FBounds;
  return r.bottom - r.top;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  FBounds = RECT{left, top, left + width, top + height};
  if (!HandleAllocated()) return;
  Win32Check(SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE));
}

int TWinControl::ClientWidth() const {
  RECT r;
  GetClientRect(Handle(), &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  RECT r;
  GetClientRect(Handle(), &r);
  return r.bottom;
}

void TWinControl::SetClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  Win32Check(AdjustWindowRectEx(&r, style, FALSE, exStyle));
  Win32Check(SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

bool TWinControl::Visible() const {
  if (!HandleAllocated()) return FVisible;
  return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TWinControl::SetVisible(bool visible) {
  FVisible = visible;
  if (HandleAllocated()) ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

bool TWinControl::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void TWinControl::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }

bool TWinControl::Focused() const { return Handle() && GetFocus() == Handle(); }

void TWinControl::SetFocus() {
  HandleNeeded();
  ::SetFocus(Handle());
}

std::wstring TWinControl::Text() const {
  int length = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(Handle(), text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

void TWinControl::SetText(const std::wstring& text) { Win32Check(SetWindowTextW(Handle(), text.c_str())); }

void TWinControl::SetFont(const TFont& font) {
  FParentFont = false;
  FFont = font;
  ApplyFont();
}

void TWinControl::ApplyFont() {
  if (!HandleAllocated()) return;  // the window gets the font when it is made
  TFontHandle font = CreateFontHandle(FFont);
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  FFontHandle = std::move(font);  // the old font is deleted only once the window no longer uses it
  for (TWinControl* child : FControls) child->ParentFontChanged();
}

void TWinControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFont = FParent->FFont;
  ApplyFont();
}

TColor TWinControl::Color() const { return FParentColor && FParent ? FParent->Color() : FColor; }

void TWinControl::SetColor(TColor color) {
  FParentColor = false;
  FColor = color;
  ParentColorChanged();
}

void TWinControl::ParentColorChanged() {
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
  for (TWinControl* child : FControls)
    if (child->FParentColor) child->ParentColorChanged();
}

void TWinControl::BringToFront() {
  if (!HandleAllocated()) return;  // a window made later is made on top anyway
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SendToBack() {
  HandleNeeded();
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::Repaint() {
  InvalidateRect(Handle(), nullptr, TRUE);
  UpdateWindow(Handle());
}

void TWinControl::SetTabOrder(std::initializer_list<TWinControl*> controls) {
  HWND previous = HWND_TOP;
  for (TWinControl* control : controls) {
    SetWindowPos(control->Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control->Handle();
  }
}

LRESULT TWinControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(Handle(), message, wParam, lParam);
}

void TWinControl::SetStyleBits(DWORD mask, DWORD bits) {
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>((style & ~mask) | (bits & mask)));
}

void TWinControl::SetExStyleBits(DWORD mask, DWORD bits) {
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>((style & ~mask) | (bits & mask)));
}
