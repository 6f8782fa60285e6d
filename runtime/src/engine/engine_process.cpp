#include "engine_process.h"

#include "engine_command.h"
#include "engine_text.h"
#include "private_folder.h"
#include "wine_host.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace standin::engine {

namespace {

constexpr wchar_t kOutputFile[] = L"engine-output.txt";

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

// Whether folder exists or can be made, private, and a file can be written in it.
bool WritablePrivateFolder(const std::wstring& folder) {
  if (!EnsurePrivateFolder(folder)) return false;
  HANDLE probe = CreateFileW((folder + L"\\write-probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

std::string ReadSmallFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[8192];
  DWORD read = 0;
  bool ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, ok ? read : 0);
}

// What a Unix engine wrote before it ended; its output drain may finish a moment after it.
std::string EngineOutput(const std::wstring& profile_folder) {
  std::string text;
  for (int i = 0; i < 10 && (text = ReadSmallFile(profile_folder + L"\\" + kOutputFile)).empty(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return text;
}

void RemoveFifoFolder(const std::wstring& folder) {
  for (const wchar_t* name : {L"\\err", L"\\out", L"\\in", L"\\held", L"\\ready"}) DeleteFileW((folder + name).c_str());
  RemoveDirectoryW(folder.c_str());
}

// Exactly the two pipe ends are inherited, nothing else this process holds, and no standard
// handle of ours reaches the engine.
bool Launch(const std::vector<std::wstring>& command, DWORD flags, PROCESS_INFORMATION& info, HANDLE inherit_reads,
            HANDLE inherit_writes) {
  std::wstring line = JoinCommandLine(command);
  STARTUPINFOEXW startup = {};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  HANDLE inherited[] = {inherit_reads, inherit_writes};
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::vector<char> attributes(size);
  startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
  if (!InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &size)) return false;
  BOOL ok = UpdateProcThreadAttribute(startup.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                      sizeof inherited, nullptr, nullptr) &&
            CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                           flags | EXTENDED_STARTUPINFO_PRESENT | CREATE_NO_WINDOW, nullptr, nullptr,
                           &startup.StartupInfo, &info);
  DeleteProcThreadAttributeList(startup.lpAttributeList);
  return ok;
}

}  // namespace

std::wstring ProfileFolder(const std::wstring& root) {
  for (const std::wstring& base : {root, EnvironmentFolder(L"LOCALAPPDATA"), TempFolder()}) {
    if (base.empty()) continue;
    wchar_t full[MAX_PATH + 1] = {};
    DWORD n = GetFullPathNameW(base.c_str(), MAX_PATH + 1, full, nullptr);
    if (n == 0 || n > MAX_PATH) continue;
    std::wstring folder = std::wstring(full, n) + L"\\StandinEngine";
    if (WritablePrivateFolder(folder)) return folder;
  }
  return TempFolder() + L"\\StandinEngine";
}

TEngineProcess::~TEngineProcess() { Stop(); }

bool TEngineProcess::Start(const std::wstring& executable, const std::wstring& profile_folder, int timeout_ms,
                           std::string& failure) {
  EnsurePrivateFolder(profile_folder);
  bool unix_engine = IsUnixPath(executable);
  for (bool sandbox : SandboxAttempts(UnderWine())) {
    Stop();
    bool started = unix_engine ? StartUnix(executable, profile_folder, sandbox, timeout_ms, failure)
                               : StartWindows(executable, profile_folder, sandbox, failure);
    if (!started) return false;
    if (Answers(timeout_ms)) {
      FSandboxed = sandbox;
      return true;
    }
    if (sandbox) {
      std::string said = unix_engine ? SandboxRefusal(EngineOutput(profile_folder)) : std::string();
      FNoSandboxReason = said.empty() ? "no_answer" : said;
    }
  }
  failure = "no_answer";
  Stop();
  return false;
}

bool TEngineProcess::Answers(int timeout_ms) {
  // Id 0 is never one of the connection's.
  const std::string probe = std::string(R"({"id":0,"method":"Browser.getVersion"})") + '\0';
  std::string answer;
  if (!WriteAll(FPipe.ToEngine(), probe, nullptr, timeout_ms) || !ReadFirstMessage(FPipe, timeout_ms, answer))
    return false;
  nlohmann::json parsed = nlohmann::json::parse(answer, nullptr, false);
  if (!parsed.is_object() || parsed.value("id", -1) != 0 || !parsed.contains("result")) return false;
  FProduct = parsed["result"].value("product", "");
  return true;
}

bool TEngineProcess::StartWindows(const std::wstring& executable, const std::wstring& profile_folder, bool sandbox,
                                  std::string& failure) {
  FJob = CreateJobObjectW(nullptr, nullptr);
  if (!FJob) return failure = "job", false;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(FJob, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  HANDLE child_reads = nullptr, child_writes = nullptr;
  if (!CreateEnginePipes(FPipe, child_reads, child_writes)) return failure = "pipe", false;
  std::wstring io_pipes = std::to_wstring(reinterpret_cast<uintptr_t>(child_reads)) + L"," +
                          std::to_wstring(reinterpret_cast<uintptr_t>(child_writes));
  std::vector<std::wstring> command = {executable};
  for (std::wstring& argument : EngineArguments(profile_folder, sandbox, io_pipes))
    command.push_back(std::move(argument));
  PROCESS_INFORMATION info = {};
  bool launched = Launch(command, CREATE_SUSPENDED, info, child_reads, child_writes);
  // The engine holds its ends now; the pipes close with it.
  CloseHandle(child_reads);
  CloseHandle(child_writes);
  if (!launched) return failure = "start", false;
  AssignProcessToJobObject(FJob, info.hProcess);
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  FProcess = info.hProcess;
  return true;
}

bool TEngineProcess::StartUnix(const std::wstring& executable, const std::wstring& profile_folder, bool sandbox,
                               int timeout_ms, std::string& failure) {
  static std::atomic<unsigned> serial{0};
  std::wstring fifo_folder = TempFolder() + L"\\standin-engine-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(serial++) + L"-" + std::to_wstring(GetTickCount64());
  std::wstring unix_profile = WideOf(UnixPathOf(profile_folder));
  if (unix_profile.empty()) return failure = "profile_path", false;
  FUnixProfile = unix_profile;
  if (!CreateNewPrivateFolder(fifo_folder)) return failure = "pipe_folder", false;
  std::wstring unix_fifos = WideOf(UnixPathOf(fifo_folder));
  std::vector<std::wstring> command =
      UnixEngineCommand(unix_fifos, unix_profile + L"/" + kOutputFile, unix_profile, executable,
                        EngineArguments(unix_profile, sandbox));
  // Wine has no handle of a Unix process to give; the pipe tells whether it lives.
  if (unix_fifos.empty() || !SpawnUnix(command)) {
    RemoveFifoFolder(fifo_folder);
    return failure = "start", false;
  }
  if (!OpenEngineFifos(fifo_folder, timeout_ms, FPipe)) {
    RemoveFifoFolder(fifo_folder);
    return failure = "pipe", false;
  }
  return true;
}

void TEngineProcess::Kill() {
  FPipe.Reset();
  // Wine gives no handle of a Unix process to wait on; the next start comes a second later.
  if (!FUnixProfile.empty()) SpawnUnix(UnixKillCommand(FUnixProfile));
  Stop();
}

void TEngineProcess::Stop() {
  FPipe.Reset();
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
