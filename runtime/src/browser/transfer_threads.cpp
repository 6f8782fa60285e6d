#include "transfer_threads.h"

#include <list>
#include <mutex>
#include <thread>

namespace standin {

namespace {

struct TTransfer {
  std::thread thread;
  std::shared_ptr<net::TCancelFlag> cancel;
  std::shared_ptr<std::atomic<bool>> done;
};

struct TTransferState {
  std::mutex lock;
  std::list<TTransfer> transfers;
};

TTransferState& State() {
  static TTransferState* state = new TTransferState;
  return *state;
}

// Joins the threads whose work has ended.
void ReapLocked(std::list<TTransfer>& transfers) {
  for (auto it = transfers.begin(); it != transfers.end();) {
    if (it->done->load()) {
      it->thread.join();
      it = transfers.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace

TTransferThreads& TTransferThreads::Instance() {
  static TTransferThreads instance;
  return instance;
}

bool TTransferThreads::Start(std::function<void()> work, std::shared_ptr<net::TCancelFlag> cancel) {
  TTransferState& s = State();
  std::lock_guard<std::mutex> lock(s.lock);
  ReapLocked(s.transfers);
  auto done = std::make_shared<std::atomic<bool>>(false);
  TTransfer transfer;
  transfer.cancel = std::move(cancel);
  transfer.done = done;
  transfer.thread = std::thread([work = std::move(work), done] {
    work();
    done->store(true);
  });
  s.transfers.push_back(std::move(transfer));
  return true;
}

void TTransferThreads::StopAll() {
  TTransferState& s = State();
  std::list<TTransfer> transfers;
  {
    std::lock_guard<std::mutex> lock(s.lock);
    transfers.swap(s.transfers);
  }
  for (TTransfer& transfer : transfers)
    if (transfer.cancel) transfer.cancel->Cancel();
  for (TTransfer& transfer : transfers) transfer.thread.join();
}

}  // namespace standin
