// TCefRequestContextRef and TCefRequestContextHandlerRef over cef_request_context_t and
// cef_request_context_handler_t, one line per member; and the runtime's contexts.

#include "ceflib/cef_cookie.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_request_context.h"
#include "ceflib/cef_scheme.h"

namespace ceflib {
namespace {

using C = cef_request_context_t;

class TCefRequestContextRef final : public TCefRefOf<TCefRequestContextRef, ICefRequestContext, C> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsSame(const RefPtr<ICefRequestContext>& other) override { return Call(&C::is_same, other); }
  bool IsSharingWith(const RefPtr<ICefRequestContext>& other) override { return Call(&C::is_sharing_with, other); }
  bool IsGlobal() override { return Call(&C::is_global); }
  RefPtr<ICefRequestContextHandler> GetHandler() override { return Call(&C::get_handler); }
  ustring GetCachePath() override { return Call(&C::get_cache_path); }
  RefPtr<ICefCookieManager> GetDefaultCookieManager(const RefPtr<ICefCompletionCallback>& callback) override {
    return Call(&C::get_default_cookie_manager, callback);
  }
  RefPtr<ICefCookieManager> GetDefaultCookieManagerProc(const TCefCompletionCallbackProc& callback) override {
    return GetDefaultCookieManager(MakeRef<TCefFastCompletionCallback>(callback));
  }
  bool RegisterSchemeHandlerFactory(const ustring& schemeName, const ustring& domainName,
                                    const RefPtr<ICefSchemeHandlerFactory>& factory) override {
    return Call(&C::register_scheme_handler_factory, schemeName, domainName, factory);
  }
  bool ClearSchemeHandlerFactories() override { return Call(&C::clear_scheme_handler_factories); }
  void PurgePluginListCache(bool reloadPages) override { Call(&C::purge_plugin_list_cache, reloadPages); }
};

using H = cef_request_context_handler_t;

class TCefRequestContextHandlerRef final
    : public TCefRefOf<TCefRequestContextHandlerRef, ICefRequestContextHandler, H> {
 public:
  using TCefRefOf::TCefRefOf;
  RefPtr<ICefCookieManager> GetCookieManager() override { return Call(&H::get_cookie_manager); }
  bool OnBeforePluginLoad(const ustring& mimeType, const ustring& pluginUrl, const ustring& topOriginUrl,
                          const RefPtr<ICefBase>& pluginInfo, cef_plugin_policy_t* pluginPolicy) override {
    return Call(&H::on_before_plugin_load, mimeType, pluginUrl, topOriginUrl, pluginInfo, pluginPolicy);
  }
};

}  // namespace

RefPtr<ICefRequestContext> ICefRequestContext::UnWrap(void* data) { return TCefRequestContextRef::UnWrap(data); }

RefPtr<ICefRequestContext> ICefRequestContext::Global() { return CefInvoke(cef_request_context_get_global_context); }

RefPtr<ICefRequestContext> ICefRequestContext::New(const cef_request_context_settings_t* settings,
                                                   const RefPtr<ICefRequestContextHandler>& handler) {
  return CefInvoke(cef_request_context_create_context, settings, handler);
}

RefPtr<ICefRequestContext> ICefRequestContext::Shared(const RefPtr<ICefRequestContext>& other,
                                                      const RefPtr<ICefRequestContextHandler>& handler) {
  return CefInvoke(create_context_shared, other, handler);
}

RefPtr<ICefRequestContextHandler> ICefRequestContextHandler::UnWrap(void* data) {
  return TCefRequestContextHandlerRef::UnWrap(data);
}

}  // namespace ceflib
