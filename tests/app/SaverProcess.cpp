#include "SaverProcess.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// This process's environment with APPDATA replaced, as a block for CreateProcessW.
std::wstring EnvironmentWithAppData(const std::wstring& appData) {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
    std::wstring_view text(entry);
    if (text.size() >= 8 && _wcsnicmp(entry, L"APPDATA=", 8) == 0) continue;
    block.append(text).push_back(L'\0');
  }
  FreeEnvironmentStringsW(strings);
  block.append(L"APPDATA=" + appData).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

struct TWindowSearch {
  DWORD ProcessId;
  bool VisibleOnly;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TWindowSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search.ProcessId && (!search.VisibleOnly || IsWindowVisible(window))) search.Found.push_back(window);
  return TRUE;
}

}  // namespace

std::wstring CaptionOf(HWND window) {
  wchar_t text[256];
  int n = GetWindowTextW(window, text, 256);
  return std::wstring(text, n > 0 ? n : 0);
}

std::wstring ControlText(HWND control) {
  wchar_t text[1024];
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000, &copied))
    return L"<no answer>";
  return std::wstring(text, copied);
}

TSaverProcess::TSaverProcess(const std::wstring& arguments, const std::string& settingsFile, const TPrepare& prepare)
    : FFolder(kelpa::test::MakeTempDir(L"kelpa-saver-")) {
  if (!settingsFile.empty()) {
    std::ofstream out(std::filesystem::path(FFolder) / "KelpaScreenSaver.INI", std::ios::binary);
    out << settingsFile;
  }
  if (prepare) prepare(FFolder);
  FJob.reset(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(FJob.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

  std::wstring program = kelpa::test::BinFile(L"KelpaScreenSaver.scr");
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring environment = EnvironmentWithAppData(FFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, environment.data(), FFolder.c_str(), &startup,
                      &info)) {
    ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
    return;
  }
  AssignProcessToJobObject(FJob.get(), info.hProcess);
  FProcess.reset(info.hProcess);
  FId = info.dwProcessId;
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
}

TSaverProcess::~TSaverProcess() {
  if (FProcess && Running()) {
    TerminateJobObject(FJob.get(), 1);
    WaitForSingleObject(FProcess.get(), 10000);
  }
  FProcess.reset();
  FJob.reset();
  kelpa::test::RemoveTree(FFolder);
}

bool TSaverProcess::Running() const { return FProcess && WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT; }

bool TSaverProcess::WaitForExit(DWORD milliseconds, DWORD& exitCode) {
  if (!FProcess || WaitForSingleObject(FProcess.get(), milliseconds) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(FProcess.get(), &exitCode);
  return true;
}

bool TSaverProcess::WaitForExitWatchingWindows(DWORD milliseconds, DWORD& exitCode, bool& sawVisibleWindow) {
  sawVisibleWindow = false;
  for (DWORD waited = 0; waited <= milliseconds; waited += 10) {
    if (!TopLevelWindows(true).empty()) sawVisibleWindow = true;
    if (WaitForExit(10, exitCode)) return true;
  }
  return false;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId, bool visibleOnly) {
  TWindowSearch search{processId, visibleOnly, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

std::vector<HWND> TSaverProcess::TopLevelWindows(bool visibleOnly) const { return TopLevelWindowsOf(FId, visibleOnly); }

HWND TSaverProcess::WaitForWindow(const std::wstring& caption, bool visible, DWORD milliseconds) {
  for (DWORD waited = 0; waited <= milliseconds; waited += 20) {
    for (HWND window : TopLevelWindows(false))
      if (CaptionOf(window) == caption && (IsWindowVisible(window) != FALSE) == visible) return window;
    if (!Running()) return nullptr;
    Sleep(20);
  }
  return nullptr;
}
