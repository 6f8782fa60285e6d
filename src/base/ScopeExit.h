#pragma once
// Runs a one-off clean-up when the scope ends, however it ends.

#include <utility>

template <typename F>
class TScopeExit {
 public:
  explicit TScopeExit(F action) : FAction(std::move(action)) {}
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  ~TScopeExit() {
    if (FArmed) FAction();
  }
  void Dismiss() noexcept { FArmed = false; }

 private:
  F FAction;
  bool FArmed = true;
};

template <typename F>
[[nodiscard]] TScopeExit<F> ScopeExit(F action) {
  return TScopeExit<F>(std::move(action));
}
