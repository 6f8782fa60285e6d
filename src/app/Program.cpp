#include "app/Program.h"

#include "app/CommandLine.h"
#include "app/Runtime.h"
#include "base/Exceptions.h"
#include "screen/ScreenForm.h"
#include "settings/ConfigForm.h"
#include "toolkit/Application.h"

#include <windows.h>

namespace {

// Only one process of the program runs at a time. The mutex is never closed:
// the process holds it until it ends.
bool AnotherInstanceIsRunning() {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, L"KelpaScreenSaver");
  if (!mutex) RaiseLastOSError();
  return GetLastError() == ERROR_ALREADY_EXISTS;
}

void InitializeApplication() {
  Application.Initialize();
  Application.SetTitle(L"KelpaScreenSaver");
  Application.SetMainFormOnTaskBar(false);
  Application.SetShowMainForm(false);
}

// The screen window comes first and so is the main window; the dialog's
// creation reads the settings into its controls. The dialog's buttons reach
// the screen only through these events.
void CreateForms() {
  Application.CreateForm(ScreenForm);
  Application.CreateForm(ConfigForm);
  ScreenForm->Hide();
  ConfigForm->Hide();
  ConfigForm->OnPreview = [](const TSettings& settings) { ScreenForm->ShowPreview(settings); };
  ConfigForm->OnCookiesCleared = [] { ScreenForm->BlankPages(); };
}

void Run(TRunMode mode) {
  switch (mode) {
    case rmScreenSaver:
      ScreenForm->ShowSaver(ConfigForm->Settings());
      Application.Run();
      break;
    case rmPreviewPane:
      break;
    case rmSettings:
      ConfigForm->Show();
      Application.Run();
      break;
  }
}

int RunProgram() {
  if (AnotherInstanceIsRunning()) return 0;
  // Its end takes the windows down before the runtime.
  const auto runtime = TRuntimeSession::Start();
  if (!runtime) return 0;
  InitializeApplication();
  CreateForms();
  Run(RunModeOf(FirstArgument()));
  return 0;
}

}  // namespace

int RunKelpaScreenSaver() {
  try {
    return RunProgram();
  } catch (...) {
    Application.HandleException();
    return 1;
  }
}
