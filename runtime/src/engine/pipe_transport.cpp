#include "pipe_transport.h"

#include <vector>

namespace standin::engine {

namespace {

// An engine that has not taken a command for this long is stuck: the connection is over.
constexpr int kSendTimeoutMs = 10000;

}  // namespace

TPipeTransport::~TPipeTransport() {
  Close();
  Wait();
  if (FStop) CloseHandle(FStop);
}

bool TPipeTransport::Start(TEnginePipe pipe, TTransportEvents events) {
  if (!pipe.Valid()) return false;
  FStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!FStop) return false;
  FPipe = std::move(pipe);
  FEvents = std::move(events);
  FReceiver = std::thread([this] { Receive(); });
  return true;
}

void TPipeTransport::Wait() {
  // Never on the receiving thread itself: it ends once the handler it runs returns.
  if (FReceiver.joinable() && FReceiver.get_id() != std::this_thread::get_id()) FReceiver.join();
}

bool TPipeTransport::Send(const std::string& message) {
  std::lock_guard<std::mutex> lock(FSendLock);
  {
    std::lock_guard<std::mutex> closing(FCloseLock);
    if (FClosed || !FStop) return false;
  }
  std::string framed = message;
  framed.push_back('\0');
  if (WriteAll(FPipe.ToEngine(), framed, FStop, kSendTimeoutMs)) return true;
  Abandon();
  FPipe.CloseToEngine();
  return false;
}

void TPipeTransport::Close() {
  if (!Abandon()) return;
  // A write in progress has given up now; the engine's input ends with this.
  std::lock_guard<std::mutex> sending(FSendLock);
  FPipe.CloseToEngine();
}

bool TPipeTransport::Abandon() {
  {
    std::lock_guard<std::mutex> lock(FCloseLock);
    if (!FStop) return false;
    FClosed = true;
  }
  SetEvent(FStop);
  return true;
}

void TPipeTransport::Receive() {
  OVERLAPPED overlapped = {};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  TMessageFrames frames;
  auto deliver = [this](std::string message) {
    if (FEvents.on_message) FEvents.on_message(std::move(message));
  };
  frames.Add(FPipe.early, deliver);
  std::vector<char> buffer(256 * 1024);
  HANDLE from = FPipe.FromEngine();
  while (overlapped.hEvent) {
    DWORD read = 0;
    ResetEvent(overlapped.hEvent);
    BOOL started = ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &read, &overlapped);
    if (!started && GetLastError() != ERROR_IO_PENDING) break;
    HANDLE events[] = {overlapped.hEvent, FStop};
    DWORD woke = WaitForMultipleObjects(2, events, FALSE, INFINITE);
    if (woke != WAIT_OBJECT_0) CancelIoEx(from, &overlapped);
    if (!GetOverlappedResult(from, &overlapped, &read, TRUE) || woke != WAIT_OBJECT_0 || read == 0) break;
    frames.Add(std::string_view(buffer.data(), read), deliver);
  }
  if (overlapped.hEvent) CloseHandle(overlapped.hEvent);
  {
    std::lock_guard<std::mutex> lock(FCloseLock);
    FClosed = true;
  }
  if (FEvents.on_closed) FEvents.on_closed();
}

}  // namespace standin::engine
