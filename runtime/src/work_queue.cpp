#include "work_queue.h"

#include <algorithm>

namespace standin {

bool TWorkQueue::Post(std::unique_ptr<TWork> work, int64_t delay_ms) {
  {
    std::lock_guard<std::mutex> guard(FLock);
    if (!FClosed) {
      auto due = TClock::now() + std::chrono::milliseconds(delay_ms > 0 ? delay_ms : 0);
      FItems.push_back({due, FNextSequence++, std::move(work)});
      FChanged.notify_all();
      return true;
    }
  }
  // Destroyed outside the lock: its captures may call back into the program.
  work.reset();
  return false;
}

std::vector<std::unique_ptr<TWork>> TWorkQueue::TakeDueLocked(TClock::time_point now) {
  std::vector<TItem> due;
  auto split = std::stable_partition(FItems.begin(), FItems.end(), [&](const TItem& item) { return item.due > now; });
  std::move(split, FItems.end(), std::back_inserter(due));
  FItems.erase(split, FItems.end());
  std::sort(due.begin(), due.end(), [](const TItem& a, const TItem& b) {
    return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
  });
  std::vector<std::unique_ptr<TWork>> result;
  for (auto& item : due) result.push_back(std::move(item.work));
  return result;
}

std::vector<std::unique_ptr<TWork>> TWorkQueue::TakeDue() {
  std::lock_guard<std::mutex> guard(FLock);
  return TakeDueLocked(TClock::now());
}

std::vector<std::unique_ptr<TWork>> TWorkQueue::WaitForDue() {
  std::unique_lock<std::mutex> guard(FLock);
  for (;;) {
    if (FClosed) return {};
    auto now = TClock::now();
    auto due = TakeDueLocked(now);
    if (!due.empty()) return due;
    if (FItems.empty()) {
      FChanged.wait(guard);
    } else {
      auto next = std::min_element(FItems.begin(), FItems.end(),
                                   [](const TItem& a, const TItem& b) { return a.due < b.due; })->due;
      FChanged.wait_until(guard, next);
    }
  }
}

void TWorkQueue::Close() {
  std::vector<TItem> dropped;
  {
    std::lock_guard<std::mutex> guard(FLock);
    FClosed = true;
    dropped.swap(FItems);
    FChanged.notify_all();
  }
  // dropped is destroyed here, outside the lock.
}

void TWorkQueue::Reopen() {
  std::lock_guard<std::mutex> guard(FLock);
  FClosed = false;
}

size_t TWorkQueue::Pending() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FItems.size();
}

}  // namespace standin
