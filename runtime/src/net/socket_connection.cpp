#include "socket_connection.h"

#include <ws2tcpip.h>

#include <chrono>

namespace standin::net {

namespace {

constexpr int kSliceMs = 25;

TNetError FromSocketError(int error) {
  switch (error) {
    case WSAECONNREFUSED: return TNetError::ConnectionRefused;
    case WSAECONNRESET: return TNetError::ConnectionReset;
    case WSAETIMEDOUT: return TNetError::TimedOut;
    case WSAECONNABORTED: return TNetError::ConnectionClosed;
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH: return TNetError::ConnectionFailed;
    default: return TNetError::ConnectionFailed;
  }
}

}  // namespace

TWinsockUse::TWinsockUse() {
  WSADATA data;
  FReady = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

TWinsockUse::~TWinsockUse() {
  if (FReady) WSACleanup();
}

TSocketConnection::~TSocketConnection() { Close(); }

void TSocketConnection::Close() {
  if (FSocket != INVALID_SOCKET) closesocket(FSocket);
  FSocket = INVALID_SOCKET;
}

TNetError TSocketConnection::Wait(TWaitFor what, int timeout_ms, const TCancelFlag* cancel) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (cancel && cancel->Cancelled()) return TNetError::Aborted;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return TNetError::TimedOut;
    int slice = static_cast<int>(std::min<long long>(left, kSliceMs));
    fd_set main_set, error_set;
    FD_ZERO(&main_set);
    FD_ZERO(&error_set);
    FD_SET(FSocket, &main_set);
    FD_SET(FSocket, &error_set);
    timeval tv{slice / 1000, (slice % 1000) * 1000};
    int ready = what == TWaitFor::Read ? select(0, &main_set, nullptr, &error_set, &tv)
                                       : select(0, nullptr, &main_set, &error_set, &tv);
    if (ready == SOCKET_ERROR) return FromSocketError(WSAGetLastError());
    if (ready == 0) continue;
    if (FD_ISSET(FSocket, &error_set) || what == TWaitFor::Connect) {
      int error = 0;
      int length = sizeof(error);
      getsockopt(FSocket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
      if (error != 0) return FromSocketError(error);
      if (FD_ISSET(FSocket, &error_set)) return TNetError::ConnectionFailed;
    }
    return TNetError::None;
  }
}

TNetError TSocketConnection::TryConnect(const void* address, int address_length, int timeout_ms,
                                        const TCancelFlag* cancel) {
  u_long non_blocking = 1;
  ioctlsocket(FSocket, FIONBIO, &non_blocking);
  if (connect(FSocket, static_cast<const sockaddr*>(address), address_length) == 0) return TNetError::None;
  int error = WSAGetLastError();
  if (error != WSAEWOULDBLOCK && error != WSAEINPROGRESS) return FromSocketError(error);
  return Wait(TWaitFor::Connect, timeout_ms, cancel);
}

TNetError TSocketConnection::Connect(const std::string& host, uint16_t port, int timeout_ms, const TCancelFlag* cancel) {
  Close();
  if (!FWinsock.Ready()) return TNetError::Failed;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  std::string service = std::to_string(port);
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found) return TNetError::NameNotResolved;
  TNetError result = TNetError::ConnectionFailed;
  for (addrinfo* a = found; a; a = a->ai_next) {
    FSocket = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (FSocket == INVALID_SOCKET) continue;
    result = TryConnect(a->ai_addr, static_cast<int>(a->ai_addrlen), timeout_ms, cancel);
    if (result == TNetError::None || result == TNetError::Aborted || result == TNetError::TimedOut) break;
    Close();
  }
  freeaddrinfo(found);
  if (result != TNetError::None) Close();
  return result;
}

TNetError TSocketConnection::SendAll(std::string_view data, int timeout_ms, const TCancelFlag* cancel) {
  while (!data.empty()) {
    if (TNetError wait = Wait(TWaitFor::Write, timeout_ms, cancel); wait != TNetError::None) return wait;
    int sent = send(FSocket, data.data(), static_cast<int>(std::min<size_t>(data.size(), 1 << 20)), 0);
    if (sent == SOCKET_ERROR) {
      int error = WSAGetLastError();
      if (error == WSAEWOULDBLOCK) continue;
      return FromSocketError(error);
    }
    data.remove_prefix(static_cast<size_t>(sent));
  }
  return TNetError::None;
}

TNetError TSocketConnection::Receive(char* buffer, size_t capacity, size_t& received, int timeout_ms,
                                     const TCancelFlag* cancel) {
  received = 0;
  for (;;) {
    if (TNetError wait = Wait(TWaitFor::Read, timeout_ms, cancel); wait != TNetError::None) return wait;
    int got = recv(FSocket, buffer, static_cast<int>(std::min<size_t>(capacity, 1 << 20)), 0);
    if (got == SOCKET_ERROR) {
      int error = WSAGetLastError();
      if (error == WSAEWOULDBLOCK) continue;
      return FromSocketError(error);
    }
    received = static_cast<size_t>(got);
    return TNetError::None;
  }
}

}  // namespace standin::net
