#include "engine_process.h"

#include "engine_text.h"
#include "wine_host.h"

#include <ws2tcpip.h>

#include <chrono>
#include <thread>
#include <vector>

namespace standin::engine {

namespace {

std::wstring EnvironmentFolder(const wchar_t* name) {
  wchar_t value[MAX_PATH + 1] = {};
  DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::wstring(value, n) : std::wstring();
}

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  std::wstring folder(temp, n <= MAX_PATH ? n : 0);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

// Whether folder exists or can be made, and a file can be written in it.
bool WritableFolder(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  HANDLE probe = CreateFileW((folder + L"\\write-probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

bool ReadSmallFile(const std::wstring& path, std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[1024];
  DWORD read = 0;
  bool ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  text.assign(buffer, ok ? read : 0);
  return ok;
}

void CreateFolders(const std::wstring& path) {
  for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos; at = path.find_first_of(L"\\/", at + 1))
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryW(path.c_str(), nullptr);
}

bool Launch(const std::vector<std::wstring>& command, DWORD flags, PROCESS_INFORMATION& info) {
  std::wstring line = JoinCommandLine(command);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;  // no handles of ours reach the engine
  return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags | CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info);
}

}  // namespace

std::wstring ProfileFolder(const std::wstring& root) {
  for (const std::wstring& base : {root, EnvironmentFolder(L"LOCALAPPDATA"), TempFolder()}) {
    if (base.empty()) continue;
    wchar_t full[MAX_PATH + 1] = {};
    DWORD n = GetFullPathNameW(base.c_str(), MAX_PATH + 1, full, nullptr);
    if (n == 0 || n > MAX_PATH) continue;
    CreateDirectoryW(full, nullptr);
    std::wstring folder = std::wstring(full, n) + L"\\StandinEngine";
    if (WritableFolder(folder)) return folder;
  }
  return TempFolder() + L"\\StandinEngine-" + std::to_wstring(GetCurrentProcessId());
}

TEngineProcess::~TEngineProcess() { Stop(); }

bool TEngineProcess::Start(const std::wstring& executable, const std::wstring& profile_folder, int timeout_ms,
                           std::string& failure) {
  CreateFolders(profile_folder);
  std::wstring port_file = profile_folder + L"\\DevToolsActivePort";
  DeleteFileW(port_file.c_str());
  bool started = IsUnixPath(executable) ? StartUnix(executable, profile_folder, failure)
                                        : StartWindows(executable, profile_folder, failure);
  if (!started) return false;
  if (!WaitForPortFile(port_file, timeout_ms)) {
    failure = "no_answer";
    Stop();
    return false;
  }
  return true;
}

bool TEngineProcess::StartWindows(const std::wstring& executable, const std::wstring& profile_folder,
                                  std::string& failure) {
  FJob = CreateJobObjectW(nullptr, nullptr);
  if (!FJob) return failure = "job", false;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(FJob, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  std::vector<std::wstring> command = {executable};
  for (std::wstring& argument : EngineArguments(profile_folder)) command.push_back(std::move(argument));
  PROCESS_INFORMATION info = {};
  if (!Launch(command, CREATE_SUSPENDED, info)) return failure = "start", false;
  AssignProcessToJobObject(FJob, info.hProcess);
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  FProcess = info.hProcess;
  return true;
}

bool TEngineProcess::StartUnix(const std::wstring& executable, const std::wstring& profile_folder,
                               std::string& failure) {
  std::wstring unix_profile = WideOf(UnixPathOf(profile_folder));
  if (unix_profile.empty()) return failure = "profile_path", false;
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return failure = "winsock", false;
  FWinsock = true;
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 1) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (listener != INVALID_SOCKET) closesocket(listener);
    return failure = "watchdog_socket", false;
  }
  PROCESS_INFORMATION info = {};
  std::vector<std::wstring> command =
      WatchdogCommand(ntohs(address.sin_port), executable, EngineArguments(unix_profile));
  if (!Launch(command, 0, info)) {
    closesocket(listener);
    return failure = "start", false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(listener, &ready);
  timeval wait = {5, 0};
  if (select(0, &ready, nullptr, nullptr, &wait) == 1) FWatch = accept(listener, nullptr, nullptr);
  closesocket(listener);
  if (FWatch == INVALID_SOCKET) return failure = "watchdog", false;
  return true;
}

bool TEngineProcess::WaitForPortFile(const std::wstring& file, int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  do {
    std::string text;
    if (ReadSmallFile(file, text) && ParseActivePort(text, FEndpoint)) return true;
    if (FProcess && WaitForSingleObject(FProcess, 0) == WAIT_OBJECT_0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

void TEngineProcess::Stop() {
  if (FWatch != INVALID_SOCKET) {
    closesocket(FWatch);
    FWatch = INVALID_SOCKET;
  }
  if (FWinsock) {
    WSACleanup();
    FWinsock = false;
  }
  if (FJob) {
    CloseHandle(FJob);  // kills what it holds
    FJob = nullptr;
  }
  if (FProcess) {
    CloseHandle(FProcess);
    FProcess = nullptr;
  }
}

}  // namespace standin::engine
