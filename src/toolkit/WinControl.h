#pragma once
// The base of every form and control: one object owns exactly one native
// window, and all of that window's messages reach the object's WndProc.

#include "toolkit/Graphics.h"
#include "toolkit/Handle.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// What every toolkit component carries: an integer free for the program's own use.
class TComponent {
 public:
  TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent() = default;

  int Tag = 0;
};

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
  TWinControl* Parent() const noexcept { return FParent; }
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

  TWindowHandle FHandle;
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
