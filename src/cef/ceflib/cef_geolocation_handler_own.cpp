#include "ceflib/cef_browser.h"
#include "ceflib/cef_geolocation_handler.h"

namespace ceflib {

using G = cef_geolocation_handler_t;

TCefGeolocationHandlerOwn::TCefGeolocationHandlerOwn() {
  Bind<&G::on_request_geolocation_permission, &TCefGeolocationHandlerOwn::OnRequestGeolocationPermission>();
  Bind<&G::on_cancel_geolocation_permission, &TCefGeolocationHandlerOwn::OnCancelGeolocationPermission>();
}

bool TCefGeolocationHandlerOwn::OnRequestGeolocationPermission(const RefPtr<ICefBrowser>&, const ustring&, int,
                                                               const RefPtr<ICefGeolocationCallback>&) {
  return false;
}

void TCefGeolocationHandlerOwn::OnCancelGeolocationPermission(const RefPtr<ICefBrowser>&, const ustring&, int) {}

}  // namespace ceflib
