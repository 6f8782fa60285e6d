#include "ceflib/cef_auth_callback.h"
#include "ceflib/cef_browser.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_request_handler.h"
#include "ceflib/cef_resource_handler.h"
#include "ceflib/cef_response.h"
#include "ceflib/cef_ssl_info.h"

namespace ceflib {

using R = cef_request_handler_t;

TCefRequestHandlerOwn::TCefRequestHandlerOwn() {
  Bind<&R::on_before_browse, &TCefRequestHandlerOwn::OnBeforeBrowse>();
  Bind<&R::on_open_urlfrom_tab, &TCefRequestHandlerOwn::OnOpenUrlfromTab>();
  Bind<&R::on_before_resource_load, &TCefRequestHandlerOwn::OnBeforeResourceLoad>();
  Bind<&R::get_resource_handler, &TCefRequestHandlerOwn::GetResourceHandler>();
  Bind<&R::on_resource_redirect, &TCefRequestHandlerOwn::OnResourceRedirect>();
  Bind<&R::on_resource_response, &TCefRequestHandlerOwn::OnResourceResponse>();
  Bind<&R::get_auth_credentials, &TCefRequestHandlerOwn::GetAuthCredentials>();
  Bind<&R::on_quota_request, &TCefRequestHandlerOwn::OnQuotaRequest>();
  Bind<&R::on_protocol_execution, &TCefRequestHandlerOwn::OnProtocolExecution>();
  Bind<&R::on_certificate_error, &TCefRequestHandlerOwn::OnCertificateError>();
  Bind<&R::on_plugin_crashed, &TCefRequestHandlerOwn::OnPluginCrashed>();
  Bind<&R::on_render_view_ready, &TCefRequestHandlerOwn::OnRenderViewReady>();
  Bind<&R::on_render_process_terminated, &TCefRequestHandlerOwn::OnRenderProcessTerminated>();
}

bool TCefRequestHandlerOwn::OnBeforeBrowse(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                           const RefPtr<ICefRequest>&, bool) {
  return false;
}

bool TCefRequestHandlerOwn::OnOpenUrlfromTab(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, const ustring&,
                                             cef_window_open_disposition_t, bool) {
  return false;
}

cef_return_value_t TCefRequestHandlerOwn::OnBeforeResourceLoad(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                                               const RefPtr<ICefRequest>&,
                                                               const RefPtr<ICefRequestCallback>&) {
  return RV_CONTINUE;
}

RefPtr<ICefResourceHandler> TCefRequestHandlerOwn::GetResourceHandler(const RefPtr<ICefBrowser>&,
                                                                      const RefPtr<ICefFrame>&,
                                                                      const RefPtr<ICefRequest>&) {
  return nullptr;
}

void TCefRequestHandlerOwn::OnResourceRedirect(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                               const RefPtr<ICefRequest>&, ustring&) {}

bool TCefRequestHandlerOwn::OnResourceResponse(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                               const RefPtr<ICefRequest>&, const RefPtr<ICefResponse>&) {
  return false;
}

bool TCefRequestHandlerOwn::GetAuthCredentials(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, bool,
                                               const ustring&, int, const ustring&, const ustring&,
                                               const RefPtr<ICefAuthCallback>&) {
  return false;
}

bool TCefRequestHandlerOwn::OnQuotaRequest(const RefPtr<ICefBrowser>&, const ustring&, int64_t,
                                           const RefPtr<ICefRequestCallback>&) {
  return false;
}

void TCefRequestHandlerOwn::OnProtocolExecution(const RefPtr<ICefBrowser>&, const ustring&, bool&) {}

bool TCefRequestHandlerOwn::OnCertificateError(const RefPtr<ICefBrowser>&, cef_errorcode_t, const ustring&,
                                               const RefPtr<ICefSslInfo>&, const RefPtr<ICefRequestCallback>&) {
  return false;
}

void TCefRequestHandlerOwn::OnPluginCrashed(const RefPtr<ICefBrowser>&, const ustring&) {}

void TCefRequestHandlerOwn::OnRenderViewReady(const RefPtr<ICefBrowser>&) {}

void TCefRequestHandlerOwn::OnRenderProcessTerminated(const RefPtr<ICefBrowser>&, cef_termination_status_t) {}

}  // namespace ceflib
