#include "runtime_threads.h"

#include "worker_thread.h"

#include <windows.h>

#include <array>
#include <mutex>

namespace standin {
namespace {

constexpr int kThreadCount = TID_RENDERER + 1;

const char* ThreadName(int id) {
  static const char* const names[kThreadCount] = {"ui", "db", "file", "file_user_blocking",
                                                   "process_launcher", "cache", "io", "renderer"};
  return names[id];
}

struct TThreadState {
  mutable std::mutex lock;
  bool running = false;
  bool single_process = false;
  DWORD ui_thread = 0;
  TWorkQueue ui_queue;
  std::array<std::unique_ptr<TWorkerThread>, kThreadCount> workers;
};

TThreadState& State() {
  static TThreadState* state = new TThreadState;
  return *state;
}

bool Exists(const TThreadState& s, int id) {
  if (id == TID_RENDERER) return s.single_process;  // the renderer runs in-process only then
  return id >= 0 && id < kThreadCount;
}

}  // namespace

TRuntimeThreads& TRuntimeThreads::Instance() {
  static TRuntimeThreads instance;
  return instance;
}

void TRuntimeThreads::Start(bool single_process) {
  TThreadState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  s.running = true;
  s.single_process = single_process;
  s.ui_thread = GetCurrentThreadId();
  s.ui_queue.Reopen();
  s.workers[TID_IO] = std::make_unique<TWorkerThread>(ThreadName(TID_IO));
}

void TRuntimeThreads::Stop() {
  TThreadState& s = State();
  std::array<std::unique_ptr<TWorkerThread>, kThreadCount> workers;
  {
    std::lock_guard<std::mutex> guard(s.lock);
    s.running = false;
    workers.swap(s.workers);
  }
  for (auto& worker : workers) {
    if (worker) worker->Stop();
  }
  workers = {};
  s.ui_queue.Close();
  std::lock_guard<std::mutex> guard(s.lock);
  s.ui_thread = 0;
}

bool TRuntimeThreads::Running() const {
  TThreadState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.running;
}

bool TRuntimeThreads::CurrentlyOn(cef_thread_id_t id) const {
  TThreadState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  if (!s.running) return false;
  if (id == TID_UI) return GetCurrentThreadId() == s.ui_thread;
  if (id < 0 || id >= kThreadCount || !s.workers[id]) return false;
  return s.workers[id]->IsCurrent();
}

bool TRuntimeThreads::Post(cef_thread_id_t id, std::unique_ptr<TWork> work, int64_t delay_ms) {
  TThreadState& s = State();
  std::unique_lock<std::mutex> guard(s.lock);
  if (!s.running || !Exists(s, id)) {
    guard.unlock();
    work.reset();
    return false;
  }
  if (id == TID_UI) {
    guard.unlock();
    return s.ui_queue.Post(std::move(work), delay_ms);
  }
  if (!s.workers[id]) s.workers[id] = std::make_unique<TWorkerThread>(ThreadName(id));
  return s.workers[id]->Post(std::move(work), delay_ms);
}

bool TRuntimeThreads::RunUiWork() {
  TThreadState& s = State();
  {
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.running || GetCurrentThreadId() != s.ui_thread) return false;
  }
  for (auto& work : s.ui_queue.TakeDue()) {
    work->Run();
    work.reset();
  }
  return true;
}

}  // namespace standin
