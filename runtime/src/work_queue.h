#pragma once
// Pending work of one runtime thread: closures ordered by due time, then by posting order.
// Work that never runs is destroyed with the queue, which releases whatever it captured
// (a program's task, for instance) as the real runtime does with tasks left at shutdown.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace standin {

class TWork {
 public:
  virtual ~TWork() = default;
  virtual void Run() = 0;
};

template <class F>
std::unique_ptr<TWork> MakeWork(F&& f) {
  struct TClosure final : TWork {
    explicit TClosure(F&& fn) : fn(std::forward<F>(fn)) {}
    void Run() override { fn(); }
    std::decay_t<F> fn;
  };
  return std::make_unique<TClosure>(std::forward<F>(f));
}

class TWorkQueue {
 public:
  using TClock = std::chrono::steady_clock;

  // False once the queue is closed; the work is then destroyed unrun.
  bool Post(std::unique_ptr<TWork> work, int64_t delay_ms);
  // The work that is due now, in order; what it posts meanwhile waits for the next call.
  std::vector<std::unique_ptr<TWork>> TakeDue();
  // Blocks until work is due or the queue is closed; empty when closed.
  std::vector<std::unique_ptr<TWork>> WaitForDue();
  // Refuses further work and drops what is pending.
  void Close();
  void Reopen();
  size_t Pending() const;

 private:
  struct TItem {
    TClock::time_point due;
    uint64_t sequence;
    std::unique_ptr<TWork> work;
  };
  std::vector<std::unique_ptr<TWork>> TakeDueLocked(TClock::time_point now);

  mutable std::mutex FLock;
  std::condition_variable FChanged;
  std::vector<TItem> FItems;
  uint64_t FNextSequence = 0;
  bool FClosed = false;
};

}  // namespace standin
