#pragma once
// A WebSocket client over WinHTTP for the engine's loopback DevTools endpoint. Text messages
// only. A thread of its own receives; on_message and then, once, on_closed run there.

#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace standin::engine {

struct TWebSocketEvents {
  std::function<void(std::string message)> on_message;
  std::function<void()> on_closed;
};

class TWebSocket {
 public:
  TWebSocket() = default;
  ~TWebSocket();  // closes and joins the receiver
  TWebSocket(const TWebSocket&) = delete;
  TWebSocket& operator=(const TWebSocket&) = delete;

  // Connects to ws://127.0.0.1:port<path>; false (with the step that failed) on failure.
  bool Connect(int port, const std::wstring& path, TWebSocketEvents events, std::string& failure);
  // Any thread; false once the connection is gone.
  bool Send(const std::string& message);
  void Close();
  // After Close: until the receiving thread has finished (on_closed included).
  void Wait();

 private:
  void Receive(void* socket);

  void* FSession = nullptr;
  void* FConnection = nullptr;
  void* FSocket = nullptr;
  std::mutex FSendLock;
  std::mutex FCloseLock;
  bool FClosed = false;
  TWebSocketEvents FEvents;
  std::thread FReceiver;
};

}  // namespace standin::engine
