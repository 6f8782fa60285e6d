#include "ceflib/cef_loader.h"

#include <atomic>

#include "ceflib/cef_app.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_errors.h"
#include "ceflib/cef_global_ref.h"
#include "ceflib/cef_settings.h"
#include "ceflib/cef_string.h"

namespace ceflib {

HMODULE LibraryHandle = nullptr;
bool RuntimeInitialized = false;

namespace {

// The runtime's main args: the module instance handle of the process.
cef_main_args_t MainArgs{};

// Read by wrappers on any thread as they die.
std::atomic<uint32_t> UnloadCount{0};

// Masks the six floating-point exceptions (invalid operation, denormal operand, division by
// zero, overflow, underflow, precision) of the calling thread, keeping the other control bits:
// the runtime computes with them masked. x86_64 code does its double arithmetic in SSE, so the
// same mask goes into MXCSR there.
void MaskFloatingPointExceptions() {
  unsigned short control;
  __asm__ __volatile__("fnstcw %0" : "=m"(control));
  control |= 0x003F;
  __asm__ __volatile__("fldcw %0" : : "m"(control));
#if defined(__x86_64__)
  unsigned int mxcsr;
  __asm__ __volatile__("stmxcsr %0" : "=m"(mxcsr));
  mxcsr |= 0x1F80;
  __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr));
#endif
}

// The settings as they are now, kept alive for the runtime calls that read the record.
struct TSettingsSnapshot {
  ustring CachePath = ceflib::CachePath, UserDataPath = ceflib::UserDataPath, UserAgent = ceflib::UserAgent,
          ProductVersion = ceflib::ProductVersion, Locale = ceflib::Locale, LogFile = ceflib::LogFile,
          JavaScriptFlags = ceflib::JavaScriptFlags, ResourcesDirPath = ceflib::ResourcesDirPath,
          LocalesDirPath = ceflib::LocalesDirPath, BrowserSubprocessPath = ceflib::BrowserSubprocessPath,
          AcceptLanguageList = ceflib::AcceptLanguageList;
  void* SandboxInfo = WindowsSandboxInfo;
  cef_settings_t Record{};

  TSettingsSnapshot() {
    Record.size = sizeof(cef_settings_t);
    Record.single_process = SingleProcess;
    Record.no_sandbox = NoSandbox;
    Record.browser_subprocess_path = CefStringView(BrowserSubprocessPath);
    Record.multi_threaded_message_loop = 0;  // the GUI thread pumps the runtime's work
    Record.windowless_rendering_enabled = WindowlessRenderingEnabled;
    Record.command_line_args_disabled = CommandLineArgsDisabled;
    Record.cache_path = CefStringView(CachePath);
    Record.user_data_path = CefStringView(UserDataPath);
    Record.persist_session_cookies = PersistSessionCookies;
    Record.user_agent = CefStringView(UserAgent);
    Record.product_version = CefStringView(ProductVersion);
    Record.locale = CefStringView(Locale);
    Record.log_file = CefStringView(LogFile);
    Record.log_severity = static_cast<cef_log_severity_t>(LogSeverity);
    Record.javascript_flags = CefStringView(JavaScriptFlags);
    Record.resources_dir_path = CefStringView(ResourcesDirPath);
    Record.locales_dir_path = CefStringView(LocalesDirPath);
    Record.pack_loading_disabled = PackLoadingDisabled;
    Record.remote_debugging_port = RemoteDebuggingPort;
    Record.uncaught_exception_stack_size = UncaughtExceptionStackSize;
    Record.context_safety_implementation = ContextSafetyImplementation;
    Record.ignore_certificate_errors = IgnoreCertificateErrors;
    Record.background_color = BackgroundColor;
    Record.accept_language_list = CefStringView(AcceptLanguageList);
  }
  TSettingsSnapshot(const TSettingsSnapshot&) = delete;
  TSettingsSnapshot& operator=(const TSettingsSnapshot&) = delete;
};

}  // namespace

bool LoadChromiumRuntime() {
  if (LibraryHandle) return true;
  const ustring libraryPath = LibraryPath;
  const TSettingsSnapshot settings;

  MaskFloatingPointExceptions();
  LibraryHandle = LoadLibraryW(libraryPath.c_str());
  if (!LibraryHandle) RaiseLastOSError(libraryPath);
  if (ResolveEntryPoints(LibraryHandle) != CefEntryPointCount) throw ECefException("Invalid CEF Library version");

  MainArgs.instance = GetModuleHandleW(nullptr);
  RefPtr<ICefApp> app = MakeRef<TInternalApp>();
  if (cef_execute_process(&MainArgs, static_cast<cef_app_t*>(CefStructOf(app)), settings.SandboxInfo) >= 0)
    return false;  // this process served as one of the runtime's sub-processes
  cef_initialize(&MainArgs, &settings.Record, static_cast<cef_app_t*>(CefStructOf(app)), settings.SandboxInfo);
  RuntimeInitialized = true;
  return true;
}

void DoMessageLoopWork() {
  // After a failed version check the library stays loaded with an incomplete table.
  if (LibraryHandle && cef_do_message_loop_work) cef_do_message_loop_work();
}

void UnloadChromiumRuntime() {
  if (!LibraryHandle) return;
  ReleaseGlobalRefs();
  if (RuntimeInitialized) cef_shutdown();
  // Counted before the code goes, so that no wrapper starts a call into it from now on.
  UnloadCount.fetch_add(1, std::memory_order_release);
  FreeLibrary(LibraryHandle);
  LibraryHandle = nullptr;
  ClearEntryPoints();
}

uint32_t LibraryUnloads() noexcept { return UnloadCount.load(std::memory_order_acquire); }

}  // namespace ceflib
