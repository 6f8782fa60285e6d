#include "engine_pipe.h"

#include "private_folder.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

namespace standin::engine {

namespace {

constexpr DWORD kPipeBuffer = 1 << 16;

void CloseValid(HANDLE& handle) {
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(handle, INVALID_HANDLE_VALUE));
}

// Waits for one overlapped operation, giving it up at the deadline or when stop is set.
bool Complete(HANDLE handle, OVERLAPPED& overlapped, BOOL started, HANDLE stop, DWORD timeout_ms, DWORD& done) {
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  HANDLE events[] = {overlapped.hEvent, stop};
  DWORD woke = WaitForMultipleObjects(stop ? 2 : 1, events, FALSE, timeout_ms);
  if (woke != WAIT_OBJECT_0) CancelIoEx(handle, &overlapped);
  // Also after a cancel: the operation must be over before its buffer and event go.
  BOOL ok = GetOverlappedResult(handle, &overlapped, &done, TRUE);
  return woke == WAIT_OBJECT_0 && ok;
}

}  // namespace

TEnginePipe::TEnginePipe(TEnginePipe&& other) noexcept { *this = std::move(other); }

TEnginePipe& TEnginePipe::operator=(TEnginePipe&& other) noexcept {
  if (this != &other) {
    Reset();
    FTo = std::exchange(other.FTo, INVALID_HANDLE_VALUE);
    FFrom = std::exchange(other.FFrom, INVALID_HANDLE_VALUE);
    early = std::move(other.early);
  }
  return *this;
}

void TEnginePipe::CloseToEngine() { CloseValid(FTo); }

void TEnginePipe::Reset() {
  CloseValid(FTo);
  CloseValid(FFrom);
  early.clear();
}

bool CreateEnginePipes(TEnginePipe& ours, HANDLE& child_reads, HANDLE& child_writes) {
  static std::atomic<unsigned> serial{0};
  std::wstring base = L"\\\\.\\pipe\\standin-engine-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                      std::to_wstring(serial++) + L"-" + std::to_wstring(GetTickCount64());
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE pipes[2] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};
  HANDLE children[2] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};
  for (int i = 0; i < 2; ++i) {
    std::wstring name = base + (i == 0 ? L"-to" : L"-from");
    // One instance, made here first: nobody else can be the other end once ours has opened it.
    DWORD direction = i == 0 ? PIPE_ACCESS_OUTBOUND : PIPE_ACCESS_INBOUND;
    pipes[i] = CreateNamedPipeW(name.c_str(), direction | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kPipeBuffer, kPipeBuffer,
                                0, PrivateAttributes());
    if (pipes[i] != INVALID_HANDLE_VALUE)
      children[i] = CreateFileW(name.c_str(), i == 0 ? GENERIC_READ : GENERIC_WRITE, 0, &inherited, OPEN_EXISTING, 0,
                                nullptr);
  }
  if (children[0] == INVALID_HANDLE_VALUE || children[1] == INVALID_HANDLE_VALUE) {
    for (HANDLE& handle : pipes) CloseValid(handle);
    for (HANDLE& handle : children) CloseValid(handle);
    return false;
  }
  ours = TEnginePipe(pipes[0], pipes[1]);
  child_reads = children[0];
  child_writes = children[1];
  return true;
}

bool OpenEngineFifos(const std::wstring& folder, int timeout_ms, TEnginePipe& ours) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  auto wait_for = [&](auto done) {
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  };
  auto exists = [](const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
  // Wine opens a FIFO without waiting for the other side, and one opened for writing before
  // anyone reads it is no pipe at all: the shell holds both FIFOs from both sides first.
  if (!wait_for([&] { return exists(folder + L"\\held"); })) return false;
  auto open = [](const std::wstring& path, DWORD access) {
    return CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  };
  ours = TEnginePipe(open(folder + L"\\in", GENERIC_WRITE), open(folder + L"\\out", GENERIC_READ));
  HANDLE ready = CreateFileW((folder + L"\\ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  // Once the folder is gone the shell has let go of its extra ends: the pipe is the engine's.
  if (!ours.Valid() || ready == INVALID_HANDLE_VALUE || !wait_for([&] { return !exists(folder); })) {
    ours.Reset();
    return false;
  }
  return true;
}

bool ReadFirstMessage(TEnginePipe& pipe, int timeout_ms, std::string& message) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  OVERLAPPED overlapped = {};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!overlapped.hEvent) return false;
  std::string received;
  char buffer[4096];
  size_t end = std::string::npos;
  while (end == std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    DWORD read = 0;
    ResetEvent(overlapped.hEvent);
    BOOL started = ReadFile(pipe.FromEngine(), buffer, sizeof buffer, &read, &overlapped);
    if (left.count() <= 0 ||
        !Complete(pipe.FromEngine(), overlapped, started, nullptr, static_cast<DWORD>(left.count()), read) || read == 0)
      break;
    received.append(buffer, read);
    end = received.find('\0');
  }
  CloseHandle(overlapped.hEvent);
  if (end == std::string::npos) return false;
  message = received.substr(0, end);
  pipe.early = received.substr(end + 1);
  return true;
}

bool WriteAll(HANDLE handle, const std::string& data, HANDLE stop, int timeout_ms) {
  OVERLAPPED overlapped = {};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!overlapped.hEvent) return false;
  size_t written = 0;
  while (written < data.size()) {
    DWORD done = 0;
    ResetEvent(overlapped.hEvent);
    BOOL started = WriteFile(handle, data.data() + written, static_cast<DWORD>(data.size() - written), &done, &overlapped);
    if (!Complete(handle, overlapped, started, stop, static_cast<DWORD>(timeout_ms), done) || done == 0) break;
    written += done;
  }
  CloseHandle(overlapped.hEvent);
  return written == data.size();
}

}  // namespace standin::engine
