#include "ceflib/cef_scheme.h"

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_loader.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

class TCefSchemeRegistrarRef final
    : public TCefRefOf<TCefSchemeRegistrarRef, ICefSchemeRegistrar, cef_scheme_registrar_t> {
 public:
  using TCefRefOf::TCefRefOf;
  bool AddCustomScheme(const ustring& schemeName, bool isStandard, bool isLocal, bool isDisplayIsolated) override {
    return Call(&cef_scheme_registrar_t::add_custom_scheme, schemeName, isStandard, isLocal, isDisplayIsolated);
  }
};

}  // namespace

RefPtr<ICefSchemeRegistrar> ICefSchemeRegistrar::UnWrap(void* data) { return TCefSchemeRegistrarRef::UnWrap(data); }

TCefSchemeHandlerFactoryOwn::TCefSchemeHandlerFactoryOwn(TCefResourceHandlerClass handlerClass)
    : FClass(std::move(handlerClass)) {
  Bind<&cef_scheme_handler_factory_t::create, &TCefSchemeHandlerFactoryOwn::New>();
}

RefPtr<ICefResourceHandler> TCefSchemeHandlerFactoryOwn::New(const RefPtr<ICefBrowser>& browser,
                                                             const RefPtr<ICefFrame>& frame,
                                                             const ustring& schemeName,
                                                             const RefPtr<ICefRequest>& request) {
  return FClass ? FClass(browser, frame, schemeName, request) : nullptr;
}

bool RegisterSchemeHandlerFactory(const ustring& schemeName, const ustring& domainName,
                                  TCefResourceHandlerClass handlerClass) {
  LoadChromiumRuntime();
  RefPtr<ICefSchemeHandlerFactory> factory = MakeRef<TCefSchemeHandlerFactoryOwn>(std::move(handlerClass));
  // The runtime keeps the factory alive with the reference it receives here.
  return CefInvoke(cef_register_scheme_handler_factory, schemeName, domainName, factory);
}

}  // namespace ceflib
