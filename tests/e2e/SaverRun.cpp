#include "SaverRun.h"

#include "SaverProcess.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelpa::e2e {

namespace {

// This process's environment with APPDATA and the journal's name replaced, as a block for CreateProcessW.
std::wstring EnvironmentFor(const std::wstring& appData, const std::wstring& journal) {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
    std::wstring_view text(entry);
    if (_wcsnicmp(entry, L"APPDATA=", 8) == 0 || _wcsnicmp(entry, L"STANDIN_RUNTIME_JOURNAL=", 24) == 0) continue;
    block.append(text).push_back(L'\0');
  }
  FreeEnvironmentStringsW(strings);
  block.append(L"APPDATA=" + appData).push_back(L'\0');
  block.append(L"STANDIN_RUNTIME_JOURNAL=" + journal).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64];
  int n = GetClassNameW(window, name, 64);
  return std::wstring(name, n > 0 ? n : 0);
}

}  // namespace

TProfile::TProfile() : FFolder(kelpa::test::MakeTempDir(L"kelpa-e2e-")) {}

TProfile::~TProfile() {
  // A page engine's profile in the runtime's cache folder holds links to Unix sockets, which
  // removing the folder would follow (and hang on): it moves aside into the throw-away
  // prefix's temporary folder first.
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  MoveFileW(Path(L"cache\\StandinEngine").c_str(),
            (std::wstring(temp) + L"engine-profile-" + std::to_wstring(GetTickCount64())).c_str());
  kelpa::test::RemoveTree(FFolder);
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

TSaverRun::TSaverRun(TProfile& profile, const std::wstring& arguments, const std::wstring& programFolder)
    : FJournal(profile.NextJournal()) {
  FJob.reset(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(FJob.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

  const std::wstring folder = programFolder.empty() ? kelpa::test::BinDir() : programFolder;
  const std::wstring program = folder + L"\\KelpaScreenSaver.scr";
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring environment = EnvironmentFor(profile.Folder(), FJournal);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // The working folder is the profile's, so the runtime's relative cache folder lands there too.
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, environment.data(), profile.Folder().c_str(),
                      &startup, &info)) {
    ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
    return;
  }
  AssignProcessToJobObject(FJob.get(), info.hProcess);
  FProcess.reset(info.hProcess);
  FId = info.dwProcessId;
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
}

TSaverRun::~TSaverRun() {
  if (Running()) Kill();
}

bool TSaverRun::Running() const { return FProcess && WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT; }

bool TSaverRun::WaitForExit(DWORD milliseconds, DWORD& exitCode) {
  if (!FProcess || WaitForSingleObject(FProcess.get(), milliseconds) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(FProcess.get(), &exitCode);
  return true;
}

void TSaverRun::Kill() {
  TerminateJobObject(FJob.get(), 9);
  if (FProcess) WaitForSingleObject(FProcess.get(), kPatience);
}

std::vector<HWND> TSaverRun::TopLevelWindows(bool visibleOnly) const {
  return TopLevelWindowsOf(FId, visibleOnly);
}

HWND TSaverRun::WaitForWindow(const std::wstring& caption, DWORD milliseconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(true))
          if (CaptionOf(window) == caption) found = window;
        return found != nullptr || !Running();
      },
      milliseconds);
  return found;
}

HWND TSaverRun::WaitForMessageBox(DWORD milliseconds) {
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

bool TSaverRun::JournalShows(const std::function<bool(const kelpa::test::TJournal&)>& condition,
                             DWORD milliseconds) const {
  return WaitUntil([&] { return condition(Journal()); }, milliseconds);
}

bool TSaverRun::JournalHas(const std::string& keyword, const std::string& key, const std::string& value,
                           DWORD milliseconds) const {
  return JournalShows([&](const kelpa::test::TJournal& j) { return j.IndexOf(keyword, key, value) >= 0; },
                      milliseconds);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

std::vector<kelpa::test::TJournalEvent> EventsOf(const kelpa::test::TJournal& journal, const std::string& keyword,
                                                 int browser) {
  std::vector<kelpa::test::TJournalEvent> found;
  for (const auto& e : journal.All(keyword))
    if (e.Has("browser", std::to_string(browser))) found.push_back(e);
  return found;
}

bool LeakReportEmpty(const kelpa::test::TJournal& journal) {
  return journal.IndexOf("leaks", "total", "0") >= 0 && journal.IndexOf("leak") < 0;
}

}  // namespace kelpa::e2e
