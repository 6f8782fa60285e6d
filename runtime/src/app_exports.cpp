// The runtime's life cycle: cef_execute_process, cef_initialize, cef_shutdown and
// cef_do_message_loop_work.

#include "app_callbacks.h"
#include "command_line.h"
#include "held_ref.h"
#include "journal.h"
#include "object_accounting.h"
#include "runtime_state.h"
#include "runtime_threads.h"
#include "scheme_registry.h"

#include "chromium_engine.h"

#include <atomic>
#include <mutex>
#include <filesystem>
#include <system_error>

using namespace standin;

namespace {

void CreateCacheFolder(const std::wstring& path) {
  if (path.empty()) return;
  std::error_code error;
  bool created = std::filesystem::create_directories(std::filesystem::path(path), error);
  bool exists = std::filesystem::is_directory(std::filesystem::path(path), error);
  TJournalLine("cache_folder").Text("path", path).Int("created", created ? 1 : 0).Int("exists", exists ? 1 : 0).Write();
}

// What a sub-process of the runtime does for its process type. The stand-in has no renderer,
// GPU or utility work to do, so it asks for the handlers that process would use and ends.
void RunSubProcess(cef_app_t* app, const std::wstring& process_type) {
  auto command_line = ProcessCommandLine();
  CallBeforeCommandLineProcessing(app, process_type, *command_line);
  AskResourceBundleHandler(app);
  CallRegisterCustomSchemes(app);
  if (process_type == L"renderer") AskRenderProcessHandler(app);
  TJournalLine("subprocess_work").Text("process_type", process_type).Write();
}

// Reported once per run: the program calls the loop work from a timer.
std::atomic<bool> g_reported_off_thread_loop_work{false};

}  // namespace

int cef_execute_process(const cef_main_args_t* args, cef_app_t* application, void* windows_sandbox_info) {
  (void)args;
  (void)windows_sandbox_info;
  THeld<cef_app_t> app = THeld<cef_app_t>::Adopt(application, "app");
  std::wstring process_type = GlobalCommandLine()->SwitchValue(L"type");
  if (process_type.empty()) {
    // The browser process: nothing to do here, cef_initialize follows.
    TJournalLine("execute_process").Text("process_type", process_type).Int("result", -1).Write();
    return -1;
  }
  RunSubProcess(app.Get(), process_type);
  app.Reset();
  ResetGlobalCommandLine();
  TJournalLine("execute_process").Text("process_type", process_type).Int("result", 0).Write();
  // The process ends now, so whatever is still alive was never given back.
  TObjectAccounting::Instance().JournalLeaks();
  return 0;
}

namespace {

// The installed Chromium starts while the program sets itself up; browsers wait for it.
void StartPageEngine(TRuntimeState& state) {
  static std::once_flag once;
  // Added before any browser's step, so it runs after every browser has closed.
  std::call_once(once, [&state] { state.AddShutdownStep([] { TChromiumEngine::Instance().Stop(); }); });
  TChromiumEngine::Instance().Start(state.Settings().cache_path);
}

}  // namespace

int cef_initialize(const cef_main_args_t* args, const cef_settings_t* settings, cef_app_t* application,
                   void* windows_sandbox_info) {
  THeld<cef_app_t> app = THeld<cef_app_t>::Adopt(application, "app");
  TRuntimeState& state = TRuntimeState::Instance();
  if (state.Initialized()) {
    TJournalLine("misuse").Word("what", "initialize_twice").Write();
    return 0;
  }
  TRuntimeSettings copy = CopySettings(settings);
  JournalSettings(copy, args ? args->instance : nullptr, windows_sandbox_info);
  CreateCacheFolder(copy.cache_path);

  // The hook may change the command line; what it leaves becomes the process's global one.
  auto command_line = ProcessCommandLine();
  if (copy.command_line_args_disabled) command_line->InitFromArgs({GlobalCommandLine()->Argv().front()});
  CallBeforeCommandLineProcessing(app.Get(), L"", *command_line);
  command_line->SetReadOnly();
  TJournalLine("command_line").Text("text", command_line->Text()).Write();
  SetGlobalCommandLine(command_line);

  AskResourceBundleHandler(app.Get());
  CallRegisterCustomSchemes(app.Get());
  AskBrowserProcessHandler(app.Get());
  if (copy.single_process) AskRenderProcessHandler(app.Get());

  // The settings are in place before any runtime thread can read them.
  bool single_process = copy.single_process != 0;
  state.Begin(std::move(copy), std::move(app));
  TRuntimeThreads::Instance().Start(single_process);
  StartPageEngine(state);
  g_reported_off_thread_loop_work = false;
  TJournalLine("initialized").Int("result", 1).Write();
  return 1;
}

void cef_shutdown(void) {
  TRuntimeState& state = TRuntimeState::Instance();
  if (!state.Initialized()) {
    TJournalLine("misuse").Word("what", "shutdown_without_initialize").Write();
    return;
  }
  if (!TRuntimeThreads::Instance().CurrentlyOn(TID_UI)) {
    TJournalLine("misuse").Word("what", "shutdown_off_ui_thread").Write();
  }
  TJournalLine("shutdown").Write();
  state.End();
  TRuntimeThreads::Instance().Stop();
  TSchemeRegistry::Instance().Reset();
  ResetGlobalCommandLine();
  TObjectAccounting::Instance().JournalLeaks();
}

void cef_do_message_loop_work(void) {
  if (!TRuntimeState::Instance().Initialized()) return;
  if (!TRuntimeThreads::Instance().RunUiWork() && !g_reported_off_thread_loop_work.exchange(true)) {
    TJournalLine("misuse").Word("what", "message_loop_work_off_ui_thread").Write();
  }
}
