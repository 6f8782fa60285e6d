#pragma once
// A tiny HTTP server on 127.0.0.1 for tests: each connection gets its own thread, the
// handler decides the raw reply. Unless told otherwise it serves a bounded number of
// connections and gives up after a bounded lifetime; it stops (interrupting stalled replies)
// when destroyed. A reply of nothing keeps the connection open and silent, as a hung web
// server does.

#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kelpa::test {

struct TServedRequest {
  std::string method;
  std::string target;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string Header(std::string_view name) const;  // empty when missing
};

struct TServerReply {
  std::string raw;        // bytes sent as they are
  int stall_ms = 0;       // wait this long first (cut short when the server stops)
  bool send_nothing = false;  // keep the connection open and silent until the server stops

  // "HTTP/1.1 <status> <text>" with Content-Length, Content-Type and the extra header lines.
  static TServerReply Html(int status, std::string_view body, std::string_view extra_headers = {},
                           std::string_view content_type = "text/html; charset=utf-8");
  static TServerReply Redirect(int status, std::string_view location, std::string_view extra_headers = {});
  // No answer at all, as a hung web server gives.
  static TServerReply Silence();
};

struct TServerOptions {
  uint16_t port = 0;  // 0 lets the system choose one
  int max_connections = 100;
  int lifetime_ms = 60000;
};
// For the whole-system scenarios, whose servers live as long as a scenario takes.
constexpr TServerOptions kUnboundedServer{0, INT_MAX, INT_MAX};

class TLoopbackServer {
 public:
  using THandler = std::function<TServerReply(const TServedRequest&)>;
  explicit TLoopbackServer(THandler handler, TServerOptions options = {});
  ~TLoopbackServer();
  TLoopbackServer(const TLoopbackServer&) = delete;
  TLoopbackServer& operator=(const TLoopbackServer&) = delete;

  uint16_t Port() const { return FPort; }
  std::string Url(std::string_view path) const;
  // The requests received so far, in order.
  std::vector<TServedRequest> Requests() const;
  void Stop();

  // A loopback port with nothing listening on it: a server that is down.
  static uint16_t UnusedPort();

 private:
  void AcceptLoop();
  void Serve(uintptr_t socket);
  bool WaitStopped(int ms);

  THandler FHandler;
  int FMaxConnections;
  int FLifetimeMs;
  uintptr_t FListener = ~uintptr_t{0};
  uint16_t FPort = 0;
  std::atomic<bool> FStop{false};
  mutable std::mutex FLock;
  std::vector<TServedRequest> FRequests;
  std::vector<std::thread> FWorkers;
  std::thread FAcceptor;
};

// A page with a title and a line of text, as the scenarios' dashboards are.
std::string HtmlPage(const std::string& title, const std::string& extraHead = "", const std::string& body = "");

}  // namespace kelpa::test
