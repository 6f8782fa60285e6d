#include "LoopbackServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>

namespace kelpa::e2e {

namespace {

struct TWinsock {
  TWinsock() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~TWinsock() { WSACleanup(); }
};

void EnsureWinsock() { static TWinsock winsock; }

// Listens on 127.0.0.1:port; INVALID_SOCKET when the port cannot be had.
SOCKET Listen(unsigned short port, unsigned short& bound) {
  EnsureWinsock();
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 16) != 0) {
    closesocket(s);
    return INVALID_SOCKET;
  }
  int length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  bound = ntohs(address.sin_port);
  return s;
}

bool Readable(SOCKET s, int milliseconds) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &wait) > 0;
}

std::string HeaderValue(const std::string& head, std::string name) {
  std::string lower = head;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  size_t at = lower.find("\r\n" + name + ":");
  if (at == std::string::npos) return "";
  size_t start = head.find_first_not_of(' ', at + name.size() + 3);
  return head.substr(start, head.find("\r\n", start) - start);
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Status";
  }
}

}  // namespace

TLoopbackServer::TLoopbackServer(THandler handler, TMode mode, unsigned short port)
    : FHandler(std::move(handler)), FMode(mode) {
  FListener = Listen(port, FPort);
  if (FListener != INVALID_SOCKET) FThread = std::thread([this] { Serve(); });
}

TLoopbackServer::~TLoopbackServer() {
  FStopping = true;
  if (FThread.joinable()) FThread.join();
  if (FListener != INVALID_SOCKET) closesocket(FListener);
}

std::string TLoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(FPort) + path;
}

std::vector<THttpRequest> TLoopbackServer::Requests() const {
  std::lock_guard<std::mutex> hold(FLock);
  return FRequests;
}

unsigned short TLoopbackServer::UnusedPort() {
  unsigned short port = 0;
  SOCKET s = Listen(0, port);
  closesocket(s);  // nobody connected, so the port is free again at once
  return port;
}

void TLoopbackServer::Serve() {
  std::vector<SOCKET> held;  // a silent server keeps its connections open, unanswered
  while (!FStopping) {
    if (!Readable(FListener, 50)) continue;
    SOCKET connection = accept(FListener, nullptr, nullptr);
    if (connection == INVALID_SOCKET) continue;
    if (FMode == TMode::Silent) {
      held.push_back(connection);
      continue;
    }
    Answer(connection);
    closesocket(connection);
  }
  for (SOCKET s : held) closesocket(s);
}

void TLoopbackServer::Answer(SOCKET connection) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && Readable(connection, 5000)) {
    int n = recv(connection, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    head.append(buffer, n);
  }
  size_t pathStart = head.find(' ') + 1;
  THttpRequest request{head.substr(pathStart, head.find(' ', pathStart) - pathStart), HeaderValue(head, "Cookie")};
  THttpResponse response = FHandler(request);
  {
    std::lock_guard<std::mutex> hold(FLock);
    FRequests.push_back(request);
  }
  std::string reply = "HTTP/1.1 " + std::to_string(response.Status) + " " + Reason(response.Status) +
                      "\r\nContent-Type: " + response.ContentType +
                      "\r\nContent-Length: " + std::to_string(response.Body.size()) + "\r\nConnection: close\r\n";
  for (const std::string& header : response.Headers) reply += header + "\r\n";
  reply += "\r\n" + response.Body;
  send(connection, reply.data(), static_cast<int>(reply.size()), 0);
  shutdown(connection, SD_SEND);
}

THttpResponse Html(const std::string& body, int status) {
  THttpResponse response;
  response.Status = status;
  response.Body = body;
  return response;
}

THttpResponse Redirect(const std::string& location, const std::vector<std::string>& moreHeaders) {
  THttpResponse response;
  response.Status = 302;
  response.Headers = moreHeaders;
  response.Headers.push_back("Location: " + location);
  return response;
}

std::string HtmlPage(const std::string& title, const std::string& extraHead, const std::string& body) {
  return "<html><head><title>" + title + "</title>" + extraHead + "</head><body><h1>" + title + "</h1>" +
         (body.empty() ? "<p>served by the scenario</p>" : body) + "</body></html>";
}

}  // namespace kelpa::e2e
