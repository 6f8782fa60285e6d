#pragma once
// A two-state switch drawn as a track with a knob: knob left and hollow when
// off, right and filled when on. A click flips it.

#include "toolkit/CustomControl.h"

enum TToggleSwitchState { tssOff, tssOn };

class TToggleSwitch : public TCustomControl {
 public:
  explicit TToggleSwitch(TWinControl& parent);

  TToggleSwitchState State() const noexcept { return FState; }
  void SetState(TToggleSwitchState state);
  bool IsOn() const noexcept { return FState == tssOn; }

 protected:
  void Paint(HDC dc) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:

  TToggleSwitchState FState = tssOff;
};
