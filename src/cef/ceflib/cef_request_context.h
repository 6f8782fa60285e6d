#pragma once
// The request context family (cef_request_context_t, cef_request_context_handler_t): runtime
// objects reached through their wrappers. Global gives the runtime's global context, New a new
// one, Shared one sharing storage with another.

#include "ceflib/cef_base.h"
#include "ceflib/cef_callback.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefRequestContextHandler : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefRequestContextHandler> UnWrap(void* data);

  virtual RefPtr<ICefCookieManager> GetCookieManager() = 0;
  // pluginInfo: an object implementing cef_web_plugin_info_t.
  virtual bool OnBeforePluginLoad(const ustring& mimeType, const ustring& pluginUrl, const ustring& topOriginUrl,
                                  const RefPtr<ICefBase>& pluginInfo, cef_plugin_policy_t* pluginPolicy) = 0;
};

class ICefRequestContext : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefRequestContext> UnWrap(void* data);
  static RefPtr<ICefRequestContext> Global();
  static RefPtr<ICefRequestContext> New(const cef_request_context_settings_t* settings,
                                        const RefPtr<ICefRequestContextHandler>& handler);
  static RefPtr<ICefRequestContext> Shared(const RefPtr<ICefRequestContext>& other,
                                           const RefPtr<ICefRequestContextHandler>& handler);

  virtual bool IsSame(const RefPtr<ICefRequestContext>& other) = 0;
  virtual bool IsSharingWith(const RefPtr<ICefRequestContext>& other) = 0;
  virtual bool IsGlobal() = 0;
  virtual RefPtr<ICefRequestContextHandler> GetHandler() = 0;
  virtual ustring GetCachePath() = 0;
  virtual RefPtr<ICefCookieManager> GetDefaultCookieManager(const RefPtr<ICefCompletionCallback>& callback) = 0;
  virtual RefPtr<ICefCookieManager> GetDefaultCookieManagerProc(const TCefCompletionCallbackProc& callback) = 0;
  virtual bool RegisterSchemeHandlerFactory(const ustring& schemeName, const ustring& domainName,
                                            const RefPtr<ICefSchemeHandlerFactory>& factory) = 0;
  virtual bool ClearSchemeHandlerFactories() = 0;
  virtual void PurgePluginListCache(bool reloadPages) = 0;
};

}  // namespace ceflib
