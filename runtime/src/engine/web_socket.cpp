#include "web_socket.h"

#include <windows.h>
#include <winhttp.h>

#include <utility>
#include <vector>

namespace standin::engine {

TWebSocket::~TWebSocket() {
  Close();
  Wait();
  if (FConnection) WinHttpCloseHandle(FConnection);
  if (FSession) WinHttpCloseHandle(FSession);
}

bool TWebSocket::Connect(int port, const std::wstring& path, TWebSocketEvents events, std::string& failure) {
  FEvents = std::move(events);
  FSession = WinHttpOpen(L"standin-runtime", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                         WINHTTP_NO_PROXY_BYPASS, 0);
  if (!FSession) return failure = "open", false;
  WinHttpSetTimeouts(FSession, 2000, 2000, 5000, 5000);
  FConnection = WinHttpConnect(FSession, L"127.0.0.1", static_cast<INTERNET_PORT>(port), 0);
  if (!FConnection) return failure = "connect", false;
  HINTERNET request = WinHttpOpenRequest(FConnection, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                         WINHTTP_DEFAULT_ACCEPT_TYPES, 0);
  if (!request) return failure = "request", false;
  bool upgraded = WinHttpSetOption(request, WINHTTP_OPTION_UPGRADE_TO_WEB_SOCKET, nullptr, 0) &&
                  WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, nullptr, 0, 0, 0) &&
                  WinHttpReceiveResponse(request, nullptr);
  if (upgraded) FSocket = WinHttpWebSocketCompleteUpgrade(request, 0);
  WinHttpCloseHandle(request);
  if (!FSocket) return failure = "upgrade", false;
  // The receive timeout of the session would end an idle connection.
  DWORD forever = 0;
  WinHttpSetOption(FSocket, WINHTTP_OPTION_RECEIVE_TIMEOUT, &forever, sizeof forever);
  FReceiver = std::thread([this, socket = FSocket] { Receive(socket); });
  return true;
}

void TWebSocket::Wait() {
  // Never on the receiving thread itself: it ends once the handler it runs returns.
  if (FReceiver.joinable() && FReceiver.get_id() != std::this_thread::get_id()) FReceiver.join();
}

bool TWebSocket::Send(const std::string& message) {
  std::lock_guard<std::mutex> lock(FSendLock);
  HINTERNET socket;
  {
    std::lock_guard<std::mutex> closing(FCloseLock);
    if (FClosed || !FSocket) return false;
    socket = FSocket;
  }
  return WinHttpWebSocketSend(socket, WINHTTP_WEB_SOCKET_UTF8_MESSAGE_BUFFER_TYPE,
                              const_cast<char*>(message.data()), static_cast<DWORD>(message.size())) == NO_ERROR;
}

void TWebSocket::Close() {
  HINTERNET socket;
  {
    std::lock_guard<std::mutex> lock(FCloseLock);
    FClosed = true;
    socket = std::exchange(FSocket, nullptr);
  }
  // Closing the handle ends a receive in progress.
  if (socket) WinHttpCloseHandle(socket);
}

void TWebSocket::Receive(void* socket) {
  std::vector<char> buffer(64 * 1024);
  std::string message;
  for (;;) {
    DWORD read = 0;
    WINHTTP_WEB_SOCKET_BUFFER_TYPE type;
    DWORD error = WinHttpWebSocketReceive(socket, buffer.data(), static_cast<DWORD>(buffer.size()), &read, &type);
    if (error != NO_ERROR || type == WINHTTP_WEB_SOCKET_CLOSE_BUFFER_TYPE) break;
    message.append(buffer.data(), read);
    if (type == WINHTTP_WEB_SOCKET_UTF8_MESSAGE_BUFFER_TYPE || type == WINHTTP_WEB_SOCKET_BINARY_MESSAGE_BUFFER_TYPE) {
      if (FEvents.on_message) FEvents.on_message(std::move(message));
      message.clear();
    }
  }
  {
    std::lock_guard<std::mutex> lock(FCloseLock);
    FClosed = true;
  }
  if (FEvents.on_closed) FEvents.on_closed();
}

}  // namespace standin::engine
