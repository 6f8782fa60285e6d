#include "browser_registry.h"

#include "global_cookies.h"
#include "runtime_state.h"
#include "transfer_threads.h"
#include "web_shutdown.h"

#include <atomic>
#include <map>
#include <mutex>

namespace standin {

namespace {

struct TRegistryState {
  std::atomic<int> next_id{1};
  mutable std::mutex lock;
  std::map<int, TCoreRef> browsers;
};

TRegistryState& State() {
  static TRegistryState* state = new TRegistryState;
  return *state;
}

}  // namespace

TBrowserRegistry& TBrowserRegistry::Instance() {
  static TBrowserRegistry instance;
  return instance;
}

int TBrowserRegistry::NextId() { return State().next_id++; }

void TBrowserRegistry::Add(const TCoreRef& core) {
  std::lock_guard<std::mutex> lock(State().lock);
  State().browsers[core->Id()] = core;
}

void TBrowserRegistry::Remove(int id) {
  TCoreRef gone;
  std::lock_guard<std::mutex> lock(State().lock);
  auto it = State().browsers.find(id);
  if (it == State().browsers.end()) return;
  gone = std::move(it->second);
  State().browsers.erase(it);
}

std::vector<TCoreRef> TBrowserRegistry::All() const {
  std::lock_guard<std::mutex> lock(State().lock);
  std::vector<TCoreRef> all;
  for (const auto& [id, core] : State().browsers) all.push_back(core);
  return all;
}

void EnsureWebShutdownStep() {
  static std::once_flag once;
  std::call_once(once, [] {
    TRuntimeState::Instance().AddShutdownStep([] {
      for (const TCoreRef& core : TBrowserRegistry::Instance().All()) core->CloseAtShutdown();
      TTransferThreads::Instance().StopAll();
      ShutdownGlobalCookieStore();
    });
  });
}

}  // namespace standin
