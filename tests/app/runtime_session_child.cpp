// A program's life inside TRuntimeSession against the stand-in runtime, run by
// runtime_session_test in a process of its own. Exit code 0: every check held.
//   session       a window holds a runtime object and a global reference holds another
//   plain-global  a plain global reference is still held when the program ends

#include <windows.h>

#include <string>

#include "app/Runtime.h"
#include "ceflib/ceflib.h"
#include "child_report.h"
#include "toolkit/Application.h"

using kelpa::test::Check;

namespace {

// Holds a runtime object as the screen window's browser controls do.
class THolderForm : public TForm {
 public:
  ~THolderForm() override { Check(ceflib::LibraryHandle != nullptr, "the runtime is still loaded as the window goes"); }

  ceflib::RefPtr<ceflib::ICefCommandLine> CommandLine = ceflib::ICefCommandLine::New();
};

THolderForm* HolderForm = nullptr;
ceflib::TGlobalRef<ceflib::ICefCommandLine> GlobalCommandLine;
// Torn down with the other globals at process exit, long after the runtime was unloaded.
ceflib::RefPtr<ceflib::ICefCommandLine> PlainGlobalCommandLine;

void Session() {
  {
    auto session = TRuntimeSession::Start();
    Check(session != nullptr, "the runtime started");
    if (!session) return;
    Application.Initialize();
    Application.CreateForm(HolderForm);
    Check(HolderForm->CommandLine != nullptr, "the window holds a runtime object");
    GlobalCommandLine = ceflib::ICefCommandLine::New();
  }
  Check(HolderForm == nullptr, "ending the session destroyed the window");
  Check(!GlobalCommandLine, "ending the session let go of the global reference");
  Check(ceflib::LibraryHandle == nullptr, "ending the session unloaded the runtime");
}

void PlainGlobal() {
  auto session = TRuntimeSession::Start();
  PlainGlobalCommandLine = ceflib::ICefCommandLine::New();
  Check(PlainGlobalCommandLine != nullptr, "the global holds a runtime object");
}

}  // namespace

int main(int argc, char** argv) {
  kelpa::test::EndOnCrash();
  std::string scenario = argc > 1 ? argv[1] : "";
  if (scenario == "session") Session();
  else if (scenario == "plain-global") PlainGlobal();
  else Check(false, "a known scenario");
  return kelpa::test::ChildExitCode();
}
