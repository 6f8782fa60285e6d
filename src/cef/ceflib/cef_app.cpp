#include "ceflib/cef_app.h"

#include "ceflib/cef_settings.h"

namespace ceflib {

TCefAppOwn::TCefAppOwn() {
  Bind<&cef_app_t::on_before_command_line_processing, &TCefAppOwn::OnBeforeCommandLineProcessing>();
  Bind<&cef_app_t::on_register_custom_schemes, &TCefAppOwn::OnRegisterCustomSchemes>();
  Bind<&cef_app_t::get_resource_bundle_handler, &TCefAppOwn::GetResourceBundleHandler>();
  Bind<&cef_app_t::get_browser_process_handler, &TCefAppOwn::GetBrowserProcessHandler>();
  Bind<&cef_app_t::get_render_process_handler, &TCefAppOwn::GetRenderProcessHandler>();
}

void TInternalApp::OnBeforeCommandLineProcessing(const ustring& processType,
                                                 const RefPtr<ICefCommandLine>& commandLine) {
  if (ceflib::OnBeforeCommandLineProcessing) ceflib::OnBeforeCommandLineProcessing(processType, commandLine);
}

void TInternalApp::OnRegisterCustomSchemes(const RefPtr<ICefSchemeRegistrar>& registrar) {
  if (ceflib::OnRegisterCustomSchemes) ceflib::OnRegisterCustomSchemes(registrar);
}

RefPtr<ICefResourceBundleHandler> TInternalApp::GetResourceBundleHandler() { return ResourceBundleHandler; }

RefPtr<ICefBrowserProcessHandler> TInternalApp::GetBrowserProcessHandler() { return BrowserProcessHandler; }

RefPtr<ICefRenderProcessHandler> TInternalApp::GetRenderProcessHandler() { return RenderProcessHandler; }

}  // namespace ceflib
