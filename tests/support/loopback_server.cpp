#include "loopback_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cctype>

namespace kelpa::test {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool ParseRequest(const std::string& head, TServedRequest& request) {
  size_t line_end = head.find("\r\n");
  std::string line = head.substr(0, line_end);
  size_t first = line.find(' ');
  size_t second = line.find(' ', first + 1);
  if (first == std::string::npos || second == std::string::npos) return false;
  request.method = line.substr(0, first);
  request.target = line.substr(first + 1, second - first - 1);
  while (line_end != std::string::npos) {
    size_t start = line_end + 2;
    line_end = head.find("\r\n", start);
    std::string header = head.substr(start, line_end == std::string::npos ? std::string::npos : line_end - start);
    size_t colon = header.find(':');
    if (colon == std::string::npos) continue;
    size_t value = header.find_first_not_of(' ', colon + 1);
    request.headers.emplace_back(header.substr(0, colon), value == std::string::npos ? "" : header.substr(value));
  }
  return true;
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Status";
  }
}

// Listens on 127.0.0.1:port; INVALID_SOCKET when the port cannot be had.
SOCKET Listen(uint16_t port, uint16_t& bound) {
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

}  // namespace

std::string TServedRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers)
    if (Lower(key) == Lower(name)) return value;
  return {};
}

TServerReply TServerReply::Html(int status, std::string_view body, std::string_view extra_headers,
                                std::string_view content_type) {
  TServerReply reply;
  reply.raw = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n";
  reply.raw += "Content-Type: " + std::string(content_type) + "\r\n";
  reply.raw += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  reply.raw += extra_headers;
  reply.raw += "Connection: close\r\n\r\n";
  reply.raw += body;
  return reply;
}

TServerReply TServerReply::Redirect(int status, std::string_view location, std::string_view extra_headers) {
  TServerReply reply;
  reply.raw = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\nLocation: " + std::string(location) +
              "\r\nContent-Length: 0\r\n" + std::string(extra_headers) + "Connection: close\r\n\r\n";
  return reply;
}

TServerReply TServerReply::Silence() {
  TServerReply reply;
  reply.send_nothing = true;
  return reply;
}

TLoopbackServer::TLoopbackServer(THandler handler, TServerOptions options)
    : FHandler(std::move(handler)), FMaxConnections(options.max_connections), FLifetimeMs(options.lifetime_ms) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  FListener = Listen(options.port, FPort);
  if (FListener != INVALID_SOCKET) FAcceptor = std::thread([this] { AcceptLoop(); });
}

TLoopbackServer::~TLoopbackServer() {
  Stop();
  WSACleanup();
}

void TLoopbackServer::Stop() {
  FStop = true;
  if (FAcceptor.joinable()) FAcceptor.join();
  std::vector<std::thread> workers;
  {
    std::lock_guard<std::mutex> lock(FLock);
    workers.swap(FWorkers);
  }
  for (std::thread& worker : workers) worker.join();
  if (FListener != INVALID_SOCKET) closesocket(FListener);
  FListener = INVALID_SOCKET;
}

std::string TLoopbackServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(FPort) + std::string(path);
}

std::vector<TServedRequest> TLoopbackServer::Requests() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FRequests;
}

uint16_t TLoopbackServer::UnusedPort() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  uint16_t port = 0;
  closesocket(Listen(0, port));  // nobody connected, so the port is free again at once
  WSACleanup();
  return port;
}

bool TLoopbackServer::WaitStopped(int ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < deadline) {
    if (FStop) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return FStop;
}

void TLoopbackServer::AcceptLoop() {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(FLifetimeMs);
  int served = 0;
  while (!FStop && served < FMaxConnections && std::chrono::steady_clock::now() < end) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(FListener, &set);
    timeval tv{0, 20000};
    if (select(0, &set, nullptr, nullptr, &tv) <= 0) continue;
    SOCKET client = accept(FListener, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    ++served;
    std::lock_guard<std::mutex> lock(FLock);
    FWorkers.emplace_back([this, client] { Serve(client); });
  }
}

void TLoopbackServer::Serve(uintptr_t socket_value) {
  SOCKET client = socket_value;
  std::string head;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (head.find("\r\n\r\n") == std::string::npos && !FStop && std::chrono::steady_clock::now() < deadline) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(client, &set);
    timeval tv{0, 20000};
    if (select(0, &set, nullptr, nullptr, &tv) <= 0) continue;
    char buffer[4096];
    int got = recv(client, buffer, sizeof(buffer), 0);
    if (got <= 0) break;
    head.append(buffer, static_cast<size_t>(got));
  }
  TServedRequest request;
  if (ParseRequest(head, request)) {
    {
      std::lock_guard<std::mutex> lock(FLock);
      FRequests.push_back(request);
    }
    TServerReply reply = FHandler(request);
    if (reply.send_nothing) {
      WaitStopped(FLifetimeMs);
    } else if (!reply.stall_ms || !WaitStopped(reply.stall_ms)) {
      size_t sent = 0;
      while (sent < reply.raw.size() && !FStop) {
        int n = send(client, reply.raw.data() + sent, static_cast<int>(reply.raw.size() - sent), 0);
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
      }
    }
  }
  shutdown(client, SD_SEND);
  closesocket(client);
}

std::string HtmlPage(const std::string& title, const std::string& extraHead, const std::string& body) {
  return "<html><head><title>" + title + "</title>" + extraHead + "</head><body><h1>" + title + "</h1>" +
         (body.empty() ? "<p>served by the scenario</p>" : body) + "</body></html>";
}

}  // namespace kelpa::test
