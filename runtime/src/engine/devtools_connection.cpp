#include "devtools_connection.h"

#include <chrono>
#include <memory>

namespace standin::engine {

TDevToolsConnection::~TDevToolsConnection() { Close(); }

bool TDevToolsConnection::Connect(TEnginePipe pipe, std::string& failure) {
  TTransportEvents events;
  events.on_message = [this](std::string message) { Dispatch(message); };
  events.on_closed = [this] { Closed(); };
  {
    std::lock_guard<std::mutex> lock(FLock);
    FOpen = true;
  }
  if (FPipe.Start(std::move(pipe), std::move(events))) return true;
  failure = "pipe";
  std::lock_guard<std::mutex> lock(FLock);
  FOpen = false;
  return false;
}

bool TDevToolsConnection::Connected() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FOpen;
}

void TDevToolsConnection::Close() {
  FPipe.Close();
  // Nothing of this object may be in use on the receiving thread once it is destroyed.
  FPipe.Wait();
}

void TDevToolsConnection::Call(const std::string& method, json params, const std::string& session,
                               TReplyHandler reply) {
  json message = {{"method", method}, {"params", params.is_null() ? json::object() : std::move(params)}};
  if (!session.empty()) message["sessionId"] = session;
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FOpen) {
      message["id"] = FNextId;
      if (reply) FPending[FNextId] = reply;
      ++FNextId;
    } else {
      message = nullptr;
    }
  }
  if (message.is_null() || !FPipe.Send(message.dump())) {
    // The connection has gone: the reply says so at once (Closed fails the rest).
    if (message.is_object()) {
      std::lock_guard<std::mutex> lock(FLock);
      FPending.erase(message["id"].get<int64_t>());
    }
    if (reply) reply(TReply{false, json::object()});
  }
}

TReply TDevToolsConnection::CallAndWait(const std::string& method, json params, const std::string& session,
                                        int timeout_ms) {
  struct TWait {
    std::mutex lock;
    std::condition_variable done;
    std::optional<TReply> reply;
  };
  auto wait = std::make_shared<TWait>();
  Call(method, std::move(params), session, [wait](const TReply& reply) {
    std::lock_guard<std::mutex> lock(wait->lock);
    wait->reply = reply;
    wait->done.notify_all();
  });
  std::unique_lock<std::mutex> lock(wait->lock);
  wait->done.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return wait->reply.has_value(); });
  return wait->reply.value_or(TReply{});
}

void TDevToolsConnection::Listen(const std::string& session, TEventHandler handler) {
  std::lock_guard<std::mutex> lock(FLock);
  FListeners[session] = std::move(handler);
}

void TDevToolsConnection::StopListening(const std::string& session) {
  std::lock_guard<std::mutex> lock(FLock);
  FListeners.erase(session);
}

void TDevToolsConnection::OnClosed(std::function<void()> handler) {
  std::lock_guard<std::mutex> lock(FLock);
  FOnClosed = std::move(handler);
}

void TDevToolsConnection::Dispatch(const std::string& message) {
  json parsed = json::parse(message, nullptr, false);
  if (!parsed.is_object()) return;
  if (auto id = parsed.find("id"); id != parsed.end() && id->is_number_integer()) {
    TReplyHandler reply;
    {
      std::lock_guard<std::mutex> lock(FLock);
      auto it = FPending.find(id->get<int64_t>());
      if (it == FPending.end()) return;
      reply = std::move(it->second);
      FPending.erase(it);
    }
    bool ok = !parsed.contains("error");
    reply(TReply{ok, ok ? parsed.value("result", json::object()) : parsed["error"]});
    return;
  }
  auto method = parsed.find("method");
  if (method == parsed.end() || !method->is_string()) return;
  std::string session = parsed.value("sessionId", "");
  TEventHandler handler;
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FListeners.find(session);
    if (it == FListeners.end()) return;
    handler = it->second;
  }
  handler(method->get<std::string>(), parsed.value("params", json::object()));
}

void TDevToolsConnection::Closed() {
  std::map<int64_t, TReplyHandler> pending;
  std::function<void()> on_closed;
  {
    std::lock_guard<std::mutex> lock(FLock);
    FOpen = false;
    pending = std::move(FPending);
    FPending.clear();
    on_closed = FOnClosed;
  }
  for (auto& [id, reply] : pending) reply(TReply{false, json::object()});
  if (on_closed) on_closed();
}

}  // namespace standin::engine
