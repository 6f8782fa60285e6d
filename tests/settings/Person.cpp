#include "Person.h"

#include <gtest/gtest.h>

namespace kelpa::test {

namespace {

// Runs a host program to its end; a failure to start it fails the test.
void RunHostProgram(const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = program + L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    ADD_FAILURE() << "could not start a host program, error " << GetLastError();
    return;
  }
  // Wine does not wait for a host program's end: give its input time to arrive.
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(150);
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

void ClickOn(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  RunHostProgram(L"/usr/bin/xdotool", L"mousemove " + std::to_wstring((r.left + r.right) / 2) + L" " +
                                          std::to_wstring((r.top + r.bottom) / 2) + L" click 1");
}

void Type(const std::string& text) { RunHostProgram(L"/usr/bin/xdotool", L"type --delay 30 \"" + Widen(text) + L"\""); }

void PressKey(const std::string& keys) { RunHostProgram(L"/usr/bin/xdotool", L"key --delay 50 " + Widen(keys)); }

void Screenshot(const std::string& unixPath) {
  RunHostProgram(L"/usr/bin/import", L"-window root " + Widen(unixPath));
}

}  // namespace kelpa::test
