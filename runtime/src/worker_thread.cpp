#include "worker_thread.h"

namespace standin {

TWorkerThread::TWorkerThread(const char* name) : FName(name), FThread([this] { Main(); }) {}

TWorkerThread::~TWorkerThread() { Stop(); }

void TWorkerThread::Main() {
  for (;;) {
    auto due = FQueue.WaitForDue();
    if (due.empty()) return;
    for (auto& work : due) {
      work->Run();
      work.reset();
    }
  }
}

void TWorkerThread::Stop() {
  FQueue.Close();
  if (!FThread.joinable()) return;
  if (IsCurrent()) {
    FThread.detach();  // stopped from its own work: it ends when that work returns
  } else {
    FThread.join();
  }
}

}  // namespace standin
