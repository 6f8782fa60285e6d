#pragma once
// A timer of the GUI thread, created disabled: while enabled, OnTimer runs every Interval
// milliseconds from the message loop. Disabling and enabling again restarts
// it, so its next firing is one full interval later. Exceptions from OnTimer
// are shown by the application and the timer goes on.

#include "toolkit/WinControl.h"

#include <windows.h>

#include <functional>

class TTimer : public TComponent {
 public:
  TTimer() = default;
  ~TTimer() override;

  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool enabled);
  unsigned Interval() const noexcept { return FInterval; }
  // A change restarts a running timer; 0 keeps it from firing at all.
  void SetInterval(unsigned milliseconds);

  std::function<void(TTimer& sender)> OnTimer;

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void Update();

  bool FEnabled = false;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
};
