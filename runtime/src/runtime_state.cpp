#include "runtime_state.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace standin {
namespace {

struct TState {
  std::atomic<bool> initialized{false};
  TRuntimeSettings settings;
  THeld<cef_app_t> app;
  std::mutex steps_lock;
  std::vector<std::function<void()>> shutdown_steps;
};

TState& State() {
  static TState* state = new TState;
  return *state;
}

}  // namespace

TRuntimeState& TRuntimeState::Instance() {
  static TRuntimeState instance;
  return instance;
}

bool TRuntimeState::Initialized() const { return State().initialized; }

const TRuntimeSettings& TRuntimeState::Settings() const { return State().settings; }

void TRuntimeState::Begin(TRuntimeSettings settings, THeld<cef_app_t> app) {
  TState& s = State();
  s.settings = std::move(settings);
  s.app = std::move(app);
  s.initialized = true;
}

void TRuntimeState::End() {
  TState& s = State();
  std::vector<std::function<void()>> steps;
  {
    std::lock_guard<std::mutex> guard(s.steps_lock);
    steps = s.shutdown_steps;
  }
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) (*it)();
  s.initialized = false;
  s.app.Reset();
}

void TRuntimeState::AddShutdownStep(std::function<void()> step) {
  TState& s = State();
  std::lock_guard<std::mutex> guard(s.steps_lock);
  s.shutdown_steps.push_back(std::move(step));
}

}  // namespace standin
