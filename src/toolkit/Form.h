#pragma once
// A top-level window with the life-cycle handlers of the program's windows.
// Forms start hidden; TApplication::CreateForm makes them and runs FormCreate.

#include "toolkit/WinControl.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TCloseAction { caNone, caHide };
enum TPosition { poDesigned, poScreenCenter };

class TForm : public TWinControl {
 public:
  TForm();

  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& caption) { SetText(caption); }

  TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
  // bsDialog: a fixed frame whose only border icon is the close box.
  void SetBorderStyle(TFormBorderStyle style);

  bool AlwaysOnTop() const;
  void SetAlwaysOnTop(bool onTop);

  TPosition Position() const noexcept { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }

  // The control that gets the keyboard focus when the form is shown.
  TWinControl* ActiveControl() const noexcept { return FActiveControl; }
  void SetActiveControl(TWinControl* control) { FActiveControl = control; }

  // Tab, Shift+Tab, Enter and Escape work as in a dialog box.
  bool DialogKeys() const noexcept { return FDialogKeys; }
  void SetDialogKeys(bool enabled) { FDialogKeys = enabled; }

  // The buttons that Enter and Escape press (with dialog keys on): Enter
  // presses the focused button, or the default button when the focus is
  // elsewhere; Escape presses the cancel button. Buttons register themselves.
  TWinControl* DefaultButton() const noexcept { return FDefaultButton; }
  void SetDefaultButton(TWinControl* button) { FDefaultButton = button; }
  TWinControl* CancelButton() const noexcept { return FCancelButton; }
  void SetCancelButton(TWinControl* button) { FCancelButton = button; }

  // Showing runs FormShow before the window appears; hiding runs FormHide after.
  void SetVisible(bool visible) override;

  // Asks FormCloseQuery, runs FormClose, then hides the form; closing the
  // application's main form terminates the application instead.
  void Close();

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormHide() {}
  virtual void FormClose(TCloseAction& action) { (void)action; }
  virtual void FormCloseQuery(bool& canClose) { (void)canClose; }

  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TApplication;
  void DoCreate() { FormCreate(); }
  // Enter or Escape pressed in the form: true when a button took it.
  bool DialogKey(const MSG& message);
  void CenterOnScreen();
  void FocusFirstControl();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  TWinControl* FActiveControl = nullptr;
  HWND FLastFocus = nullptr;
  bool FDialogKeys = false;
  TWinControl* FDefaultButton = nullptr;
  TWinControl* FCancelButton = nullptr;
};

// The form a control sits on; nullptr for a control outside any form.
TForm* ParentForm(TWinControl& control);
