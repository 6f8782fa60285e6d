#pragma once
// For the scenario programs that tests run as child processes (child_run.h): every failed
// check leaves a line in report.txt in the working folder, and the exit code says whether all held.

#include <windows.h>

#include <cstdio>

namespace kelpa::test {

inline int ChildFailures = 0;

inline void Check(bool condition, const char* what) {
  if (condition) return;
  ++ChildFailures;
  if (FILE* report = std::fopen("report.txt", "a")) {
    std::fprintf(report, "failed: %s\n", what);
    std::fclose(report);
  }
}

inline int ChildExitCode() { return ChildFailures == 0 ? 0 : 1; }

// A crash ends the child at once with the exception's code, instead of waiting in a debugger.
inline LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS* exception) {
  TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

inline void EndOnCrash() { SetUnhandledExceptionFilter(EndWithExceptionCode); }

}  // namespace kelpa::test
