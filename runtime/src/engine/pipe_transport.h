#pragma once
// The DevTools protocol's transport: the engine's pipe, messages separated by NUL bytes. A
// thread of its own receives; on_message and then, once, on_closed run there.

#include "engine_pipe.h"

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace standin::engine {

struct TTransportEvents {
  std::function<void(std::string message)> on_message;
  std::function<void()> on_closed;
};

// Splits the byte stream into the messages it carries, however the reads cut it.
class TMessageFrames {
 public:
  template <class F>
  void Add(std::string_view bytes, F&& each) {
    FPending.append(bytes);
    size_t start = 0;
    for (size_t end; (end = FPending.find('\0', start)) != std::string::npos; start = end + 1)
      each(FPending.substr(start, end - start));
    FPending.erase(0, start);
  }

 private:
  std::string FPending;
};

class TPipeTransport {
 public:
  TPipeTransport() = default;
  ~TPipeTransport();  // closes and joins the receiver
  TPipeTransport(const TPipeTransport&) = delete;
  TPipeTransport& operator=(const TPipeTransport&) = delete;

  bool Start(TEnginePipe pipe, TTransportEvents events);
  // Any thread; false once the pipe is gone (or the engine stopped reading it).
  bool Send(const std::string& message);
  // Ends both directions: the engine sees its input end and goes.
  void Close();
  // After Close: until the receiving thread has finished (on_closed included).
  void Wait();

 private:
  void Receive();
  // Marks the pipe closed and wakes whatever waits on it; false before Start.
  bool Abandon();

  TEnginePipe FPipe;
  HANDLE FStop = nullptr;  // set by Close: gives up a read or write in progress
  std::mutex FSendLock;
  std::mutex FCloseLock;
  bool FClosed = false;
  TTransportEvents FEvents;
  std::thread FReceiver;
};

}  // namespace standin::engine
