#pragma once
// The engine's DevTools protocol over its pipe: commands with numbered replies, and
// events routed to whoever listens to their session (the browser-wide session is ""). Replies
// and events run on the socket's receiving thread; listeners hand work on from there.

#include "pipe_transport.h"

#include <nlohmann/json.hpp>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace standin::engine {

using json = nlohmann::json;

struct TReply {
  bool ok = false;       // false: the engine answered with an error, or the connection ended
  json result;           // the result, or the error object
};

class TDevToolsConnection {
 public:
  using TReplyHandler = std::function<void(const TReply&)>;
  using TEventHandler = std::function<void(const std::string& method, const json& params)>;

  TDevToolsConnection() = default;
  ~TDevToolsConnection();

  // Takes over the pipe of a started engine (TEngineProcess::TakePipe).
  bool Connect(TEnginePipe pipe, std::string& failure);
  bool Connected() const;
  // Ends the connection and waits for the receiving thread (not to be called on it).
  void Close();

  void Call(const std::string& method, json params, const std::string& session, TReplyHandler reply = {});
  // Waits for the reply; not ok after timeout_ms or when the connection ends.
  TReply CallAndWait(const std::string& method, json params, const std::string& session, int timeout_ms);

  void Listen(const std::string& session, TEventHandler handler);
  void StopListening(const std::string& session);
  // Once, on the receiving thread, when the engine's end of the connection goes away.
  void OnClosed(std::function<void()> handler);

 private:
  void Dispatch(const std::string& message);
  void Closed();

  TPipeTransport FPipe;
  mutable std::mutex FLock;
  bool FOpen = false;
  int64_t FNextId = 1;
  std::map<int64_t, TReplyHandler> FPending;
  std::map<std::string, TEventHandler> FListeners;
  std::function<void()> FOnClosed;
};

}  // namespace standin::engine
