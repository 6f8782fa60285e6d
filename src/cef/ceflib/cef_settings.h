#pragma once
// The runtime's process-wide settings and hooks. Start-up sets what it wants before
// LoadChromiumRuntime; the loader takes a copy, so later changes have no effect on the runtime.

#include <cstdint>
#include <functional>

#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"
#include "ceflib/ref_ptr.h"

namespace ceflib {

// Settings record fields (the runtime's cef_settings_t).
extern ustring LibraryPath;                 // "libcef.dll": the file given to LoadLibraryW
extern ustring CachePath;                   // empty
extern ustring UserDataPath;                // empty
extern ustring UserAgent;                   // empty
extern ustring ProductVersion;              // empty
extern ustring Locale;                      // empty
extern ustring LogFile;                     // empty
extern int32_t LogSeverity;                 // 99: the runtime's "logging off"
extern ustring JavaScriptFlags;             // empty
extern ustring ResourcesDirPath;            // empty
extern ustring LocalesDirPath;              // empty
extern bool PackLoadingDisabled;            // false
extern bool SingleProcess;                  // true
extern bool NoSandbox;                      // false
extern ustring BrowserSubprocessPath;       // empty
extern bool CommandLineArgsDisabled;        // false
extern int32_t RemoteDebuggingPort;         // 0
extern int32_t UncaughtExceptionStackSize;  // 0
extern int32_t ContextSafetyImplementation; // 0
extern bool PersistSessionCookies;          // false
extern bool IgnoreCertificateErrors;        // false
extern uint32_t BackgroundColor;            // 0 (ARGB)
extern ustring AcceptLanguageList;          // empty
extern void* WindowsSandboxInfo;            // null: sandbox info of execute_process and initialize
extern bool WindowlessRenderingEnabled;     // false

// Hooks the application handler forwards to (empty by default). The runtime calls them during
// LoadChromiumRuntime and later from its own threads, so set them before loading and leave them.
using TOnBeforeCommandLineProcessing =
    std::function<void(const ustring& processType, const RefPtr<ICefCommandLine>& commandLine)>;
using TOnRegisterCustomSchemes = std::function<void(const RefPtr<ICefSchemeRegistrar>& registrar)>;

extern TOnBeforeCommandLineProcessing OnBeforeCommandLineProcessing;
extern TOnRegisterCustomSchemes OnRegisterCustomSchemes;
extern RefPtr<ICefResourceBundleHandler> ResourceBundleHandler;
extern RefPtr<ICefBrowserProcessHandler> BrowserProcessHandler;
extern RefPtr<ICefRenderProcessHandler> RenderProcessHandler;

}  // namespace ceflib
