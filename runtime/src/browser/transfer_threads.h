#pragma once
// Threads for network transfers, one per transfer, so that a slow server holds up neither
// the IO thread nor other loads. Each transfer has a cancel flag; at shutdown every transfer
// is cancelled and every thread joined.

#include "socket_connection.h"

#include <functional>
#include <memory>

namespace standin {

class TTransferThreads {
 public:
  static TTransferThreads& Instance();
  // Runs work on a new thread; false once the runtime is shutting down.
  bool Start(std::function<void()> work, std::shared_ptr<net::TCancelFlag> cancel);
  // Cancels every running transfer and waits for all of them.
  void StopAll();

 private:
  TTransferThreads() = default;
};

}  // namespace standin
