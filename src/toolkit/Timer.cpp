#include "toolkit/Timer.h"

#include "toolkit/Application.h"

#include <map>

namespace {

// The system gives thread timers their identifiers; this maps them back.
std::map<UINT_PTR, TTimer*>& RunningTimers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}

}  // namespace

TTimer::~TTimer() {
  FEnabled = false;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Update();
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == FInterval) return;
  FInterval = milliseconds;
  Update();
}

void TTimer::Update() {
  if (FId) {
    KillTimer(nullptr, FId);
    RunningTimers().erase(FId);
    FId = 0;
  }
  if (!FEnabled || FInterval == 0) return;
  FId = SetTimer(nullptr, 0, FInterval, &TTimer::TimerProc);
  if (FId) RunningTimers()[FId] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = RunningTimers().find(id);
  // A tick already queued when its timer was stopped finds nobody.
  if (found == RunningTimers().end()) return;
  TTimer& timer = *found->second;
  try {
    if (timer.OnTimer) timer.OnTimer(timer);
  } catch (...) {
    Application.HandleException();
  }
}
