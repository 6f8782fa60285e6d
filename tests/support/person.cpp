#include "person.h"

#include "polling.h"

#include <gtest/gtest.h>

namespace kelpa::test {

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// After the input, the program under test handles it before the test looks.
void Input(const std::string& command) {
  RunHostCommand(command);
  Sleep(100);
}

}  // namespace

// Wine gives no usable handle of a host process, so the command leaves a file
// behind when it is done, which this side waits for (the Unix root is drive Z:).
void RunHostCommand(const std::string& command) {
  static int count = 0;
  const std::string done = "/tmp/kelpa-person-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
  std::wstring windowsDone = L"Z:" + Widen(done);
  for (wchar_t& c : windowsDone)
    if (c == L'/') c = L'\\';
  std::wstring commandLine = L"/bin/sh -c \"" + Widen(command) + L"; touch " + Widen(done) + L"\"";
  // Standard handles of its own: handed this process's, a host program takes
  // them over, and what the test prints afterwards is lost.
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessW(L"/bin/sh", commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                &process);
  DWORD error = GetLastError();
  CloseHandle(nul);
  if (!started) {
    ADD_FAILURE() << "could not start a host program, error " << error;
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!WaitUntil([&] { return GetFileAttributesW(windowsDone.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000)) {
    ADD_FAILURE() << "host command did not end: " << command;
    return;
  }
  DeleteFileW(windowsDone.c_str());
}

void ClickOn(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  Input("xdotool mousemove " + std::to_string((r.left + r.right) / 2) + " " +
                 std::to_string((r.top + r.bottom) / 2) + " click 1");
}

void Type(const std::string& text) { Input("xdotool type --delay 40 '" + text + "'"); }

void PressKey(const std::string& keys) { Input("xdotool key --delay 60 " + keys); }

void Retype(HWND edit, const std::string& text) {
  ClickOn(edit);
  PressKey("End shift+Home BackSpace");
  if (!text.empty()) Type(text);
}

}  // namespace kelpa::test
