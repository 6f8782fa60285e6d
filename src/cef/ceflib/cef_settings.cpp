#include "ceflib/cef_settings.h"

#include "ceflib/cef_command_line.h"
#include "ceflib/cef_loader.h"
#include "ceflib/cef_process_handlers.h"
#include "ceflib/cef_scheme.h"

namespace ceflib {

ustring LibraryPath = L"libcef.dll";
ustring CachePath;
ustring UserDataPath;
ustring UserAgent;
ustring ProductVersion;
ustring Locale;
ustring LogFile;
int32_t LogSeverity = 99;
ustring JavaScriptFlags;
ustring ResourcesDirPath;
ustring LocalesDirPath;
bool PackLoadingDisabled = false;
bool SingleProcess = true;
bool NoSandbox = false;
ustring BrowserSubprocessPath;
bool CommandLineArgsDisabled = false;
int32_t RemoteDebuggingPort = 0;
int32_t UncaughtExceptionStackSize = 0;
int32_t ContextSafetyImplementation = 0;
bool PersistSessionCookies = false;
bool IgnoreCertificateErrors = false;
uint32_t BackgroundColor = 0;
ustring AcceptLanguageList;
void* WindowsSandboxInfo = nullptr;
bool WindowlessRenderingEnabled = false;

TOnBeforeCommandLineProcessing OnBeforeCommandLineProcessing;
TOnRegisterCustomSchemes OnRegisterCustomSchemes;
RefPtr<ICefResourceBundleHandler> ResourceBundleHandler;
RefPtr<ICefBrowserProcessHandler> BrowserProcessHandler;
RefPtr<ICefRenderProcessHandler> RenderProcessHandler;

namespace {

// The binding's teardown at process exit. Defined after the globals above, so it runs before
// they are destroyed.
struct TCefLibTeardown {
  ~TCefLibTeardown() {
    UnloadChromiumRuntime();
    for (ustring* text : {&LibraryPath, &CachePath, &UserDataPath, &UserAgent, &ProductVersion, &Locale,
                          &LogFile, &JavaScriptFlags, &ResourcesDirPath, &LocalesDirPath,
                          &BrowserSubprocessPath, &AcceptLanguageList})
      text->clear();
    OnBeforeCommandLineProcessing = nullptr;
    OnRegisterCustomSchemes = nullptr;
    ResourceBundleHandler.reset();
    BrowserProcessHandler.reset();
    RenderProcessHandler.reset();
  }
} Teardown;

}  // namespace
}  // namespace ceflib
