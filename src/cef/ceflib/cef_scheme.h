#pragma once
// Custom URL schemes: the registrar the runtime lends the application handler while it starts,
// and the factory that makes one resource handler per request of a registered scheme.

#include <functional>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_resource_handler.h"

namespace ceflib {

// The runtime's cef_scheme_registrar_t, wrapped by TCefSchemeRegistrarRef.
class ICefSchemeRegistrar : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefSchemeRegistrar> UnWrap(void* data);

  // Declares a custom scheme; true when the runtime accepted it.
  virtual bool AddCustomScheme(const ustring& schemeName, bool isStandard, bool isLocal,
                               bool isDisplayIsolated) = 0;
};

// The "class" of the resource handler a factory makes: constructs a new handler for one request.
using TCefResourceHandlerClass = std::function<RefPtr<ICefResourceHandler>(
    const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, const ustring& schemeName,
    const RefPtr<ICefRequest>& request)>;

// The handler class of T, a TCefResourceHandlerOwn descendant constructed from
// (browser, frame, schemeName, request).
template <class T>
TCefResourceHandlerClass ResourceHandlerClass() {
  return [](const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
            const ustring& schemeName, const RefPtr<ICefRequest>& request) -> RefPtr<ICefResourceHandler> {
    return MakeRef<T>(browser, frame, schemeName, request);
  };
}

class ICefSchemeHandlerFactory : public virtual ICefBase {
 public:
  virtual RefPtr<ICefResourceHandler> New(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                          const ustring& schemeName, const RefPtr<ICefRequest>& request) = 0;
};

// Makes a new object of its handler class for every request; keeps no other state.
class TCefSchemeHandlerFactoryOwn : public TCefOwnOf<ICefSchemeHandlerFactory, cef_scheme_handler_factory_t> {
 public:
  explicit TCefSchemeHandlerFactoryOwn(TCefResourceHandlerClass handlerClass);
  RefPtr<ICefResourceHandler> New(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                  const ustring& schemeName, const RefPtr<ICefRequest>& request) override;

 private:
  const TCefResourceHandlerClass FClass;
};

// Loads the runtime if needed, then registers a factory making handlerClass objects for
// schemeName (and domainName; empty for every domain). True when the runtime accepted it.
bool RegisterSchemeHandlerFactory(const ustring& schemeName, const ustring& domainName,
                                  TCefResourceHandlerClass handlerClass);

// RegisterSchemeHandlerFactory<TFileScheme>(L"local", L"") registers TFileScheme.
template <class T>
bool RegisterSchemeHandlerFactory(const ustring& schemeName, const ustring& domainName) {
  return RegisterSchemeHandlerFactory(schemeName, domainName, ResourceHandlerClass<T>());
}

}  // namespace ceflib
