#pragma once
// Runs KelpaScreenSaver.scr as a separate process, inside a job object that ends the process
// (and anything it started) when the test is done with it. The process finds its APPDATA and its
// working folder in one folder: a throw-away one of its own, or a profile that outlives each run,
// as a user's does (the settings file and the cookie folder), with a runtime journal per run.

#include "journal_reader.h"
#include "polling.h"
#include "base/Handle.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kelpa::test {

class TProfile {
 public:
  TProfile();
  ~TProfile();
  TProfile(const TProfile&) = delete;
  TProfile& operator=(const TProfile&) = delete;

  const std::wstring& Folder() const noexcept { return FFolder; }
  std::wstring Path(const std::wstring& relative) const { return FFolder + L"\\" + relative; }
  void WriteFile(const std::wstring& relative, const std::string& bytes) const;
  std::string ReadFile(const std::wstring& relative) const;
  // The journal file of the next run.
  std::wstring NextJournal() { return Path(L"journal-" + std::to_wstring(++FRuns) + L".txt"); }

 private:
  std::wstring FFolder;
  int FRuns = 0;
};

class TSaverProcess {
 public:
  // arguments: the command line after the program name, e.g. L"/S" or L"/p 1234".
  // settingsFile: when not empty, the content of the settings file the process finds.
  // prepare: when given, called with the folder before the process starts.
  // The runtime's journal goes where this process's environment says.
  using TPrepare = std::function<void(const std::wstring& folder)>;
  explicit TSaverProcess(const std::wstring& arguments, const std::string& settingsFile = "",
                         const TPrepare& prepare = nullptr);
  // A run on the profile, with the profile's next journal. programFolder: where
  // KelpaScreenSaver.scr (and normally libcef.dll) lie; the build's bin folder by default.
  TSaverProcess(TProfile& profile, const std::wstring& arguments, const std::wstring& programFolder = L"");
  ~TSaverProcess();
  TSaverProcess(const TSaverProcess&) = delete;
  TSaverProcess& operator=(const TSaverProcess&) = delete;

  DWORD Id() const noexcept { return FId; }
  // The process's APPDATA and working folder.
  const std::wstring& Folder() const noexcept { return FFolder; }
  bool Started() const noexcept { return static_cast<bool>(FProcess); }
  bool Running() const;

  // True when the process ended within the time; its exit code goes to exitCode.
  bool WaitForExit(DWORD milliseconds, DWORD& exitCode);
  // Like WaitForExit, and tells whether a visible window of the process was seen meanwhile.
  bool WaitForExitWatchingWindows(DWORD milliseconds, DWORD& exitCode, bool& sawVisibleWindow);
  // Ends the process as a crash or the task manager would: no clean-up of any kind.
  void Kill();

  std::vector<HWND> TopLevelWindows(bool visibleOnly) const;
  // A top-level window of this process with this caption, visible or hidden as asked; nullptr
  // when none turns up within the time or the process ends.
  HWND WaitForWindow(const std::wstring& caption, bool visible = true, DWORD milliseconds = kPatience);
  // The visible message box of the process, laid out; nullptr when none comes.
  HWND WaitForMessageBox(DWORD milliseconds = kPatience);

  // The runtime's journal of this run.
  TJournal Journal() const { return TJournal(FJournal); }
  // Waits until the journal holds what the condition looks for.
  bool JournalShows(const std::function<bool(const TJournal&)>& condition, DWORD milliseconds = kPatience) const;
  bool JournalHas(const std::string& keyword, const std::string& key, const std::string& value,
                  DWORD milliseconds = kPatience) const;

 private:
  void Start(const std::wstring& programFolder, const std::wstring& arguments);

  std::wstring FFolder;  // APPDATA and working folder
  bool FOwnsFolder = false;
  std::wstring FJournal;  // empty: the one this process's environment names
  THandle FJob;
  THandle FProcess;
  DWORD FId = 0;
};

}  // namespace kelpa::test
