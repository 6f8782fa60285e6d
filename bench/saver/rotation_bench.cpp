// The saver's memory over many rotations, driven as fast as the pages load: the program's
// own start-up, then the rotation step called directly instead of from its timer (whose
// shortest delay would make 10 000 rotations take most of a day). Prints the process's
// private bytes, handles and window-system objects as it goes; the runtime's leak report
// at the end goes to its journal.
//   rotation_bench [rotations] [ms of messages between rotations]

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>

#include "app/Runtime.h"
#include "process_figures.h"
#include "screen/ScreenForm.h"
#include "settings/ConfigForm.h"
#include "toolkit/Application.h"

namespace {

void Pump(DWORD milliseconds) {
  ULONGLONG until = GetTickCount64() + milliseconds;
  do {
    Application.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (GetTickCount64() < until);
}

void Sample(int rotations) {
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("rotations %6d  private %8.2f MB  working set %8.2f MB  handles %5lu\n", rotations,
              PrivateBytes(GetCurrentProcess()) / 1048576.0, memory.WorkingSetSize / 1048576.0, OwnHandleCount());
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rotations = argc > 1 ? _wtoi(argv[1]) : 10000;
  DWORD between = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 15;
  {
    const auto runtime = TRuntimeSession::Start();
    if (!runtime) return 0;
    Application.Initialize();
    Application.SetTitle(L"KelpaScreenSaver");
    Application.SetMainFormOnTaskBar(false);
    Application.SetShowMainForm(false);
    Application.CreateForm(ScreenForm);
    Application.CreateForm(ConfigForm);
    ScreenForm->Hide();
    ConfigForm->Hide();
    ScreenForm->ShowSaver(ConfigForm->Settings());
    Pump(2000);
    Sample(0);
    for (int done = 1; done <= rotations; ++done) {
      ScreenForm->Timer3Timer(ScreenForm->Timer3);
      Pump(between);
      if (done % (rotations / 10 > 0 ? rotations / 10 : 1) == 0) Sample(done);
    }
    // Let the last loads end before the window closes.
    Pump(1000);
    Sample(rotations);
    ScreenForm->Close();
  }
  return 0;
}
