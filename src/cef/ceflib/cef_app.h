#pragma once
// The application handler (cef_app_t) the loader hands to the runtime, and TInternalApp, the
// only one this program makes: it forwards to the hooks of cef_settings.h.

#include "ceflib/cef_command_line.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_process_handlers.h"
#include "ceflib/cef_scheme.h"

namespace ceflib {

class ICefApp : public virtual ICefBase {
 public:
  virtual void OnBeforeCommandLineProcessing(const ustring& processType,
                                             const RefPtr<ICefCommandLine>& commandLine) = 0;
  virtual void OnRegisterCustomSchemes(const RefPtr<ICefSchemeRegistrar>& registrar) = 0;
  virtual RefPtr<ICefResourceBundleHandler> GetResourceBundleHandler() = 0;
  virtual RefPtr<ICefBrowserProcessHandler> GetBrowserProcessHandler() = 0;
  virtual RefPtr<ICefRenderProcessHandler> GetRenderProcessHandler() = 0;
};

// Subclasses supply all five operations.
class TCefAppOwn : public TCefOwnOf<ICefApp, cef_app_t> {
 protected:
  TCefAppOwn();
};

class TInternalApp : public TCefAppOwn {
 public:
  // Calls the hook OnBeforeCommandLineProcessing when it is set.
  void OnBeforeCommandLineProcessing(const ustring& processType,
                                     const RefPtr<ICefCommandLine>& commandLine) override;
  // Calls the hook OnRegisterCustomSchemes when it is set.
  void OnRegisterCustomSchemes(const RefPtr<ICefSchemeRegistrar>& registrar) override;
  // The current values of ResourceBundleHandler, BrowserProcessHandler, RenderProcessHandler.
  RefPtr<ICefResourceBundleHandler> GetResourceBundleHandler() override;
  RefPtr<ICefBrowserProcessHandler> GetBrowserProcessHandler() override;
  RefPtr<ICefRenderProcessHandler> GetRenderProcessHandler() override;
};

}  // namespace ceflib
