#include "saver_process.h"

#include "test_paths.h"
#include "window_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelpa::test {

namespace {

bool IsVariable(const wchar_t* entry, std::wstring_view name) {
  return _wcsnicmp(entry, name.data(), name.size()) == 0 && entry[name.size()] == L'=';
}

// This process's environment with APPDATA (and the journal's name, when given) replaced, as a
// block for CreateProcessW.
std::wstring EnvironmentFor(const std::wstring& appData, const std::wstring& journal) {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
    if (IsVariable(entry, L"APPDATA") || (!journal.empty() && IsVariable(entry, L"STANDIN_RUNTIME_JOURNAL"))) continue;
    block.append(entry).push_back(L'\0');
  }
  FreeEnvironmentStringsW(strings);
  block.append(L"APPDATA=" + appData).push_back(L'\0');
  if (!journal.empty()) block.append(L"STANDIN_RUNTIME_JOURNAL=" + journal).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t value[MAX_PATH + 1];
  DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::wstring(value, n) : std::wstring();
}

}  // namespace

TProfile::TProfile() : FFolder(MakeTempDir(L"kelpa-e2e-")) {}

TProfile::~TProfile() {
  // A page engine's profile in the runtime's cache folder holds links to Unix sockets, which
  // removing the folder would follow (and hang on): it moves aside into the throw-away
  // prefix's temporary folder first.
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  MoveFileW(Path(L"cache\\StandinEngine").c_str(),
            (std::wstring(temp) + L"engine-profile-" + std::to_wstring(GetTickCount64())).c_str());
  RemoveTree(FFolder);
}

void TProfile::WriteFile(const std::wstring& relative, const std::string& bytes) const {
  std::filesystem::path path(Path(relative));
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string TProfile::ReadFile(const std::wstring& relative) const {
  std::ifstream in(std::filesystem::path(Path(relative)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TSaverProcess::TSaverProcess(const std::wstring& arguments, const std::string& settingsFile, const TPrepare& prepare)
    : FFolder(MakeTempDir(L"kelpa-saver-")), FOwnsFolder(true) {
  if (!settingsFile.empty()) {
    std::ofstream out(std::filesystem::path(FFolder) / "KelpaScreenSaver.INI", std::ios::binary);
    out << settingsFile;
  }
  if (prepare) prepare(FFolder);
  Start(L"", arguments);
}

TSaverProcess::TSaverProcess(TProfile& profile, const std::wstring& arguments, const std::wstring& programFolder)
    : FFolder(profile.Folder()), FJournal(profile.NextJournal()) {
  Start(programFolder, arguments);
}

void TSaverProcess::Start(const std::wstring& programFolder, const std::wstring& arguments) {
  FJob.reset(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(FJob.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

  const std::wstring program = (programFolder.empty() ? BinDir() : programFolder) + L"\\KelpaScreenSaver.scr";
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring environment = EnvironmentFor(FFolder, FJournal);
  if (FJournal.empty()) FJournal = EnvironmentValue(L"STANDIN_RUNTIME_JOURNAL");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // The working folder is the APPDATA folder, so the runtime's relative cache folder lands there too.
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
  if (Running()) Kill();
  FProcess.reset();
  FJob.reset();
  if (FOwnsFolder) RemoveTree(FFolder);
}

bool TSaverProcess::Running() const { return FProcess && WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT; }

bool TSaverProcess::WaitForExit(DWORD milliseconds, DWORD& exitCode) {
  if (!FProcess || WaitForSingleObject(FProcess.get(), milliseconds) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(FProcess.get(), &exitCode);
  return true;
}

bool TSaverProcess::WaitForExitWatchingWindows(DWORD milliseconds, DWORD& exitCode, bool& sawVisibleWindow) {
  sawVisibleWindow = false;
  // Short steps: a window that shows only for a moment must not slip through.
  for (DWORD waited = 0; waited <= milliseconds; waited += 10) {
    if (!TopLevelWindows(true).empty()) sawVisibleWindow = true;
    if (WaitForExit(10, exitCode)) return true;
  }
  return false;
}

void TSaverProcess::Kill() {
  TerminateJobObject(FJob.get(), 9);
  if (FProcess) WaitForSingleObject(FProcess.get(), kPatience);
}

std::vector<HWND> TSaverProcess::TopLevelWindows(bool visibleOnly) const { return TopLevelWindowsOf(FId, visibleOnly); }

HWND TSaverProcess::WaitForWindow(const std::wstring& caption, bool visible, DWORD milliseconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(false))
          if (!found && CaptionOf(window) == caption && (IsWindowVisible(window) != FALSE) == visible) found = window;
        return found != nullptr || !Running();
      },
      milliseconds);
  return found;
}

HWND TSaverProcess::WaitForMessageBox(DWORD milliseconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(true))
          if (ClassOf(window) == L"#32770") found = window;
        return found != nullptr || !Running();
      },
      milliseconds);
  if (found) Sleep(100);  // let it finish laying itself out
  return found;
}

bool TSaverProcess::JournalShows(const std::function<bool(const TJournal&)>& condition, DWORD milliseconds) const {
  return WaitUntil([&] { return condition(Journal()); }, milliseconds);
}

bool TSaverProcess::JournalHas(const std::string& keyword, const std::string& key, const std::string& value,
                               DWORD milliseconds) const {
  return JournalShows([&](const TJournal& j) { return j.IndexOf(keyword, key, value) >= 0; }, milliseconds);
}

}  // namespace kelpa::test
