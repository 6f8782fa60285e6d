#pragma once
// The program as a user runs it: a profile (the application-data folder with
// the settings file and the cookie folder) that outlives each run, and runs of
// KelpaScreenSaver.scr on it, each with a runtime journal of its own, inside a
// job object that ends whatever is left when the test is done.

#include "base/Handle.h"
#include "journal_reader.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kelpa::e2e {

constexpr DWORD kPatience = 30000;  // an upper bound for a busy machine, not a timing expectation

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

class TSaverRun {
 public:
  // programFolder: where KelpaScreenSaver.scr (and normally libcef.dll) lie; the build's bin folder by default.
  TSaverRun(TProfile& profile, const std::wstring& arguments, const std::wstring& programFolder = L"");
  ~TSaverRun();
  TSaverRun(const TSaverRun&) = delete;
  TSaverRun& operator=(const TSaverRun&) = delete;

  bool Started() const noexcept { return static_cast<bool>(FProcess); }
  bool Running() const;
  bool WaitForExit(DWORD milliseconds, DWORD& exitCode);
  // Ends the process as a crash or the task manager would: no clean-up of any kind.
  void Kill();

  std::vector<HWND> TopLevelWindows(bool visibleOnly) const;
  HWND WaitForWindow(const std::wstring& caption, DWORD milliseconds = kPatience);
  // The visible message box of the process; nullptr when none comes.
  HWND WaitForMessageBox(DWORD milliseconds = kPatience);

  kelpa::test::TJournal Journal() const { return kelpa::test::TJournal(FJournal); }
  // Waits until the journal holds what the condition looks for.
  bool JournalShows(const std::function<bool(const kelpa::test::TJournal&)>& condition,
                    DWORD milliseconds = kPatience) const;
  bool JournalHas(const std::string& keyword, const std::string& key, const std::string& value,
                  DWORD milliseconds = kPatience) const;

 private:
  std::wstring FJournal;
  THandle FJob;
  THandle FProcess;
  DWORD FId = 0;
};

// Polls a condition until it holds or the time is up; tells whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kPatience);

// The events of one browser (the runtime numbers them from 1, monitor 1's first).
std::vector<kelpa::test::TJournalEvent> EventsOf(const kelpa::test::TJournal& journal, const std::string& keyword,
                                                 int browser);
// The journal ends with an empty leak report: the run exited normally and released everything.
bool LeakReportEmpty(const kelpa::test::TJournal& journal);

}  // namespace kelpa::e2e
