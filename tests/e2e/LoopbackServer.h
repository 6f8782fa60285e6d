#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the scenarios: every request is
// answered by the test's handler on the server's own thread, one connection at
// a time, and closed after the answer. A silent server accepts connections
// and never answers, as a hung web server does.

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelpa::e2e {

struct THttpRequest {
  std::string Path;    // with its query
  std::string Cookie;  // the Cookie header, empty without one
};

struct THttpResponse {
  int Status = 200;
  std::string Body;
  std::string ContentType = "text/html; charset=utf-8";
  std::vector<std::string> Headers;  // "Name: value", e.g. Location or Set-Cookie
};

class TLoopbackServer {
 public:
  using THandler = std::function<THttpResponse(const THttpRequest&)>;
  enum class TMode { Answering, Silent };

  // port 0 lets the system choose one.
  explicit TLoopbackServer(THandler handler, TMode mode = TMode::Answering, unsigned short port = 0);
  ~TLoopbackServer();
  TLoopbackServer(const TLoopbackServer&) = delete;
  TLoopbackServer& operator=(const TLoopbackServer&) = delete;

  unsigned short Port() const noexcept { return FPort; }
  std::string Url(const std::string& path) const;
  // The requests answered so far, in order.
  std::vector<THttpRequest> Requests() const;

  // A loopback port with nothing listening on it: a server that is down.
  static unsigned short UnusedPort();

 private:
  void Serve();
  void Answer(SOCKET connection);

  THandler FHandler;
  TMode FMode;
  SOCKET FListener = INVALID_SOCKET;
  unsigned short FPort = 0;
  std::atomic<bool> FStopping{false};
  mutable std::mutex FLock;
  std::vector<THttpRequest> FRequests;
  std::thread FThread;
};

// Answers the scenarios give: a page, and a 302 redirect with further headers.
THttpResponse Html(const std::string& body, int status = 200);
THttpResponse Redirect(const std::string& location, const std::vector<std::string>& moreHeaders = {});

// A page with a title and a line of text, as the dashboards of the scenarios are.
std::string HtmlPage(const std::string& title, const std::string& extraHead = "", const std::string& body = "");

}  // namespace kelpa::e2e
