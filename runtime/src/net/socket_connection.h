#pragma once
// One TCP connection with deadlines. Every wait is cut into short slices so that a transfer
// notices a cancel request from another thread within a few tens of milliseconds.

#include "net_error.h"

#include <winsock2.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace standin::net {

// Set from any thread to stop a transfer; the transfer then fails with ERR_ABORTED.
class TCancelFlag {
 public:
  void Cancel() { FCancelled.store(true, std::memory_order_release); }
  bool Cancelled() const { return FCancelled.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> FCancelled{false};
};

// Winsock is started for as long as one of these lives.
class TWinsockUse {
 public:
  TWinsockUse();
  ~TWinsockUse();
  TWinsockUse(const TWinsockUse&) = delete;
  TWinsockUse& operator=(const TWinsockUse&) = delete;
  bool Ready() const { return FReady; }

 private:
  bool FReady;
};

class TSocketConnection {
 public:
  TSocketConnection() = default;
  ~TSocketConnection();
  TSocketConnection(const TSocketConnection&) = delete;
  TSocketConnection& operator=(const TSocketConnection&) = delete;

  TNetError Connect(const std::string& host, uint16_t port, int timeout_ms, const TCancelFlag* cancel);
  TNetError SendAll(std::string_view data, int timeout_ms, const TCancelFlag* cancel);
  // Reads what is there (at least one byte); received 0 means the peer closed. The timeout
  // counts from the call: a server silent for that long times the read out.
  TNetError Receive(char* buffer, size_t capacity, size_t& received, int timeout_ms, const TCancelFlag* cancel);

 private:
  enum class TWaitFor { Read, Write, Connect };
  TNetError Wait(TWaitFor what, int timeout_ms, const TCancelFlag* cancel);
  TNetError TryConnect(const void* address, int address_length, int timeout_ms, const TCancelFlag* cancel);
  void Close();

  TWinsockUse FWinsock;
  SOCKET FSocket = INVALID_SOCKET;
};

}  // namespace standin::net
