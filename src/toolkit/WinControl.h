#pragma once
// The base of every form and control: one object owns exactly one native
// window, and all of that window's messages reach the object's WndProc.

#include "toolkit/Graphics.h"
#include "toolkit/GuiHandles.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// What every toolkit component carries: an integer free for the program's own use, and an
// optional owner that frees it with itself.
class TComponent {
 public:
  // With an owner, the owner frees this component when it is freed itself (unless the
  // component was freed first, which takes it out of the owner's care).
  explicit TComponent(TComponent* owner = nullptr);
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent();

  TComponent* Owner() const noexcept { return FOwner; }
  int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }

  int Tag = 0;

 protected:
  // Frees the owned components, the last one first.
  void DestroyComponents() noexcept;

 private:
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
};

// Makes a component of class T owned by owner; the owner frees it.
template <class T, class... Args>
T& MakeComponent(TComponent* owner, Args&&... args) {
  return *new T(owner, std::forward<Args>(args)...);  // the owner's list holds it from here on
}

// Asks a control whether it handles a navigation key (wParam: the virtual key) itself instead
// of leaving it to dialog navigation: non-zero means the control wants the key.
constexpr UINT CM_WANTSPECIALKEY = WM_APP + 0x3F00;

struct TCreateParams {
  const wchar_t* ClassName = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  std::wstring Caption;
};

// Registers (once) a window class of our own whose messages all go through
// TWinControl; returns its name.
const wchar_t* EnsureWindowClass(const wchar_t* name, UINT classStyle = CS_DBLCLKS);

class TWinControl : public TComponent {
 public:
  ~TWinControl() override;

  HWND Handle() const noexcept { return FHandle.get(); }
  bool HandleAllocated() const noexcept { return FHandle.valid(); }
  // Makes the window of a control created on demand, if it has none yet; raises when the
  // control has no parent window to live in.
  void HandleNeeded();
  TWinControl* Parent() const noexcept { return FParent; }
  // Moves the control into parent's client area (nullptr takes it out). A control created on
  // demand gets its window here when parent is on the screen, else at HandleNeeded.
  void SetParent(TWinControl* parent);
  // The toolkit object that owns a window, or nullptr for a foreign window.
  static TWinControl* FromHandle(HWND window) noexcept;

  // Position and size: in the parent's client coordinates for a control, on
  // the screen for a form.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetBounds(int left, int top, int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);

  bool Visible() const;
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Focused() const;
  void SetFocus();

  std::wstring Text() const;
  void SetText(const std::wstring& text);

  const TFont& Font() const noexcept { return FFont; }
  void SetFont(const TFont& font);
  TColor Color() const;
  void SetColor(TColor color);

  void BringToFront();
  void SendToBack();
  void Repaint();

  // Orders these child controls for the Tab key, first to last.
  static void SetTabOrder(std::initializer_list<TWinControl*> controls);

  LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 protected:
  // Creates the native window: a top-level window when parent is nullptr.
  TWinControl(TWinControl* parent, const TCreateParams& params);
  // A child control whose window is made only when it is needed, once it has a parent:
  // bounds and visibility set before then are kept for it.
  struct TOnDemand {};
  TWinControl(TComponent* owner, const TCreateParams& params, TOnDemand);

  // Makes the native window of a control created on demand; overrides call this first and
  // then do what needs the window.
  virtual void CreateWnd();
  // After every change of the window's size.
  virtual void Resize() {}

  // Every message of the window; exceptions thrown here are shown by the
  // application and never reach the system.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's own behaviour for a message (its class's procedure).
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

  // Notifications this control sends to its parent, handed back to the control.
  virtual bool CommandReflected(WORD notifyCode);
  virtual bool NotifyReflected(NMHDR& header, LRESULT& result);
  virtual HBRUSH CtlColorReflected(HDC dc);
  // An owner-drawn control paints itself here when its parent is asked to.
  virtual bool DrawItemReflected(const DRAWITEMSTRUCT& item);

  // Fills a rectangle with the control's colour.
  void PaintBackground(HDC dc);
  HBRUSH Brush();

  void SetStyleBits(DWORD mask, DWORD bits);
  void SetExStyleBits(DWORD mask, DWORD bits);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Detach() noexcept;
  void ApplyFont();
  void ParentFontChanged();
  void ParentColorChanged();
  bool IsChildWindow() const;

  void AttachWindow(HWND window);

  TWindowHandle FHandle;
  TCreateParams FCreateParams;  // kept for a window made on demand
  RECT FBounds{};               // of a control without a window yet
  bool FVisible = true;         // of a control without a window yet
  WNDPROC FDefWindowProc = nullptr;
  TWinControl* FParent = nullptr;
  std::vector<TWinControl*> FControls;
  TFont FFont;
  TFontHandle FFontHandle;
  bool FParentFont = true;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  TBrushHandle FBrush;
  COLORREF FBrushColor = 0;
};
