#pragma once
// Runs KelpaScreenSaver.scr from the build's bin folder as a separate process,
// with an APPDATA and a working folder of its own, inside a job object that
// ends the process (and anything it started) when the test is done with it.

#include "base/Handle.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TSaverProcess {
 public:
  // arguments: the command line after the program name, e.g. L"/S" or L"/p 1234".
  // settingsFile: when not empty, the content of the settings file the process finds.
  // prepare: when given, called with the folder before the process starts.
  using TPrepare = std::function<void(const std::wstring& folder)>;
  explicit TSaverProcess(const std::wstring& arguments, const std::string& settingsFile = "",
                         const TPrepare& prepare = nullptr);
  ~TSaverProcess();
  TSaverProcess(const TSaverProcess&) = delete;
  TSaverProcess& operator=(const TSaverProcess&) = delete;

  DWORD Id() const noexcept { return FId; }
  // The process's APPDATA and working folder.
  const std::wstring& Folder() const noexcept { return FFolder; }

  // True when the process ended within the time; its exit code goes to exitCode.
  bool WaitForExit(DWORD milliseconds, DWORD& exitCode);
  // Like WaitForExit, and tells whether a visible window of the process was seen meanwhile.
  bool WaitForExitWatchingWindows(DWORD milliseconds, DWORD& exitCode, bool& sawVisibleWindow);
  bool Running() const;

  // A top-level window of this process with this caption, visible or hidden as
  // asked; nullptr when none turns up within the time.
  HWND WaitForWindow(const std::wstring& caption, bool visible, DWORD milliseconds);
  std::vector<HWND> TopLevelWindows(bool visibleOnly) const;

 private:
  std::wstring FFolder;  // APPDATA and working folder
  THandle FJob;
  THandle FProcess;
  DWORD FId = 0;
};

// The top-level windows of a process (only the visible ones, when asked).
std::vector<HWND> TopLevelWindowsOf(DWORD processId, bool visibleOnly);

std::wstring CaptionOf(HWND window);
// The text a control of another process holds (asked with WM_GETTEXT).
std::wstring ControlText(HWND control);
