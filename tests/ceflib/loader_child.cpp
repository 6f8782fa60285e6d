// The loader's scenarios, one per process, since a process can start the runtime only once.
// ceflib_loader_test runs this program with a scenario name and reads back its exit code, the
// stand-in runtime's journal and report.txt (in the working folder), where every failed check
// leaves a line. Exit code 0: every check held.

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "ceflib/ceflib.h"
#include "child_report.h"

using namespace ceflib;

namespace {

using kelpa::test::Check;

// Makes a floating-point division by zero raise, so that only LoadChromiumRuntime's masking
// can make it give infinity.
void UnmaskDivisionByZero() {
  unsigned short control;
  __asm__ __volatile__("fnstcw %0" : "=m"(control));
  control &= static_cast<unsigned short>(~0x0004);
  __asm__ __volatile__("fldcw %0" : : "m"(control));
#if defined(__x86_64__)
  unsigned int mxcsr;
  __asm__ __volatile__("stmxcsr %0" : "=m"(mxcsr));
  mxcsr &= ~0x0200u;
  __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr));
#endif
}

bool DivisionByZeroGivesInfinity() {
  volatile double zero = 0.0;
  volatile long double longZero = 0.0L;
  double quotient = 1.0 / zero;
  long double longQuotient = 1.0L / longZero;  // x87
  return std::isinf(quotient) && std::isinf(static_cast<double>(longQuotient));
}

ustring ExeFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ustring result(path, n);
  return result.substr(0, result.find_last_of(L'\\') + 1);
}

class TTestScheme : public TCefResourceHandlerOwn {
 public:
  using TCefResourceHandlerOwn::TCefResourceHandlerOwn;
};

bool LocalSchemeAdded = false;

void DeclareLocalScheme() {
  OnRegisterCustomSchemes = [](const RefPtr<ICefSchemeRegistrar>& registrar) {
    LocalSchemeAdded = registrar->AddCustomScheme(L"local", true, true, false);
  };
}

// The program's start-up: cache folder, the local scheme, load, factory.
void Initialize() {
  CachePath = L"cache";
  DeclareLocalScheme();
  UnmaskDivisionByZero();
  Check(LoadChromiumRuntime(), "LoadChromiumRuntime returns true in the browser process");
  Check(RuntimeInitialized, "RuntimeInitialized is set");
  Check(LocalSchemeAdded, "the hook declared the local scheme while the runtime started");
  Check(DivisionByZeroGivesInfinity(), "division by zero gives infinity after loading");

  HMODULE loaded = LibraryHandle;
  LibraryPath = L"no-such-runtime.dll";
  CachePath = L"elsewhere";
  Check(LoadChromiumRuntime(), "a second LoadChromiumRuntime returns true");
  Check(LibraryHandle == loaded, "a second LoadChromiumRuntime loads nothing");

  Check(RegisterSchemeHandlerFactory<TTestScheme>(L"local", L""), "the factory is registered");
  DoMessageLoopWork();
}

void RegisterFirst() {
  Check(RegisterSchemeHandlerFactory<TTestScheme>(L"local", L""), "the factory is registered");
  Check(LibraryHandle != nullptr && RuntimeInitialized, "registering loaded and initialised the runtime");
}

void SubProcess() {
  DeclareLocalScheme();
  Check(!LoadChromiumRuntime(), "LoadChromiumRuntime returns false in a sub-process");
  Check(LibraryHandle != nullptr, "the library stays loaded until teardown");
  Check(!RuntimeInitialized, "RuntimeInitialized stays false");
}

void BadVersion() {
  LibraryPath = ExeFolder() + L"badversion\\libcef.dll";
  UnmaskDivisionByZero();
  bool raised = false;
  try {
    LoadChromiumRuntime();
  } catch (const ECefException& e) {
    raised = std::strcmp(e.what(), "Invalid CEF Library version") == 0;
  }
  Check(raised, "ECefException \"Invalid CEF Library version\"");
  Check(LibraryHandle != nullptr, "the library stays loaded");
  Check(DivisionByZeroGivesInfinity(), "division by zero gives infinity after a failed load");
  Check(LoadChromiumRuntime(), "a later LoadChromiumRuntime returns true");
  Check(!RuntimeInitialized, "the runtime was never initialised");
  DoMessageLoopWork();
}

void Missing() {
  LibraryPath = L"no-such-runtime.dll";
  bool raised = false;
  try {
    LoadChromiumRuntime();
  } catch (const EOSError& e) {
    raised = e.ErrorCode() == ERROR_MOD_NOT_FOUND &&
             std::string(e.what()).rfind("System Error.  Code: 126.\r\n", 0) == 0 &&
             std::string(e.what()).ends_with(": no-such-runtime.dll");
  }
  Check(raised, "EOSError 126 \"System Error.  Code: 126.\\r\\n...: no-such-runtime.dll\"");
  Check(LibraryHandle == nullptr, "LibraryHandle stays 0");
  LibraryPath = L"libcef.dll";
  Check(LoadChromiumRuntime(), "a later call loads the library");
}

void Unload() {
  DoMessageLoopWork();  // before loading: nothing
  Check(LoadChromiumRuntime(), "LoadChromiumRuntime returns true");
  UnloadChromiumRuntime();
  Check(LibraryHandle == nullptr, "LibraryHandle is 0 after unloading");
  DoMessageLoopWork();  // after unloading: nothing
  UnloadChromiumRuntime();
}

// Without loading: proves that the division check can fail.
void UnmaskedDivision() {
  UnmaskDivisionByZero();
  Check(DivisionByZeroGivesInfinity(), "division by zero gives infinity");
}

}  // namespace

int main(int argc, char** argv) {
  kelpa::test::EndOnCrash();
  std::string scenario = argc > 1 ? argv[1] : "";
  try {
    if (scenario == "initialize") Initialize();
    else if (scenario == "register-first") RegisterFirst();
    else if (scenario == "subprocess") SubProcess();
    else if (scenario == "badversion") BadVersion();
    else if (scenario == "missing") Missing();
    else if (scenario == "unload") Unload();
    else if (scenario == "unmasked-division") UnmaskedDivision();
    else Check(false, "a known scenario");
  } catch (const std::exception& e) {
    Check(false, e.what());
  }
  return kelpa::test::ChildExitCode();
}
