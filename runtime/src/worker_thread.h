#pragma once
// One of the runtime's own threads (IO, FILE ...): runs its queue's work as it falls due.

#include "work_queue.h"

#include <atomic>
#include <thread>

namespace standin {

class TWorkerThread {
 public:
  explicit TWorkerThread(const char* name);
  ~TWorkerThread();  // stops and joins
  TWorkerThread(const TWorkerThread&) = delete;
  TWorkerThread& operator=(const TWorkerThread&) = delete;

  bool Post(std::unique_ptr<TWork> work, int64_t delay_ms) { return FQueue.Post(std::move(work), delay_ms); }
  bool IsCurrent() const { return std::this_thread::get_id() == FThread.get_id(); }
  // Drops pending work, lets running work finish, joins.
  void Stop();

 private:
  void Main();

  const char* FName;
  TWorkQueue FQueue;
  std::thread FThread;
};

}  // namespace standin
