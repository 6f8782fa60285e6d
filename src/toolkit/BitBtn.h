#pragma once
// A push button with a small picture, its glyph, left of its caption. A click,
// the space bar on the focused button, and the form's Enter (default button)
// and Escape (cancel button) all run OnClick.

#include "toolkit/GuiHandles.h"
#include "toolkit/WinControl.h"

#include <functional>
#include <string>

// The glyphs every program gets with the toolkit.
enum TStandardGlyph { sgCancel, sgHelp };

class TBitBtn : public TWinControl {
 public:
  using TNotifyEvent = std::function<void()>;

  explicit TBitBtn(TWinControl& parent);
  ~TBitBtn() override;

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption);

  // A bitmap resource of the program; the colour of its bottom-left pixel is
  // see-through. Raises the system's error when the program has no such bitmap.
  void LoadGlyph(const wchar_t* resourceName);
  void SetGlyph(TStandardGlyph glyph);
  HBITMAP Glyph() const noexcept { return FGlyph.get(); }

  // The button Enter presses when the focus is not on another button.
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool isDefault);
  // The button Escape presses.
  bool Cancel() const noexcept { return FCancel; }
  void SetCancel(bool isCancel);

  // Runs OnClick, as a click of the button does.
  void Click();
  TNotifyEvent OnClick;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CommandReflected(WORD notifyCode) override;
  bool DrawItemReflected(const DRAWITEMSTRUCT& item) override;

 private:
  bool ShowsAsDefault(const DRAWITEMSTRUCT& item) const;
  void DrawGlyphAndCaption(HDC dc, RECT area, bool enabled);

  TBitmapHandle FGlyph;
  bool FDefault = false;
  bool FCancel = false;
};
