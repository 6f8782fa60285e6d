#include "ceflib/cef_browser.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_load_handler.h"

namespace ceflib {

using L = cef_load_handler_t;

TCefLoadHandlerOwn::TCefLoadHandlerOwn() {
  Bind<&L::on_loading_state_change, &TCefLoadHandlerOwn::OnLoadingStateChange>();
  Bind<&L::on_load_start, &TCefLoadHandlerOwn::OnLoadStart>();
  Bind<&L::on_load_end, &TCefLoadHandlerOwn::OnLoadEnd>();
  Bind<&L::on_load_error, &TCefLoadHandlerOwn::OnLoadError>();
}

void TCefLoadHandlerOwn::OnLoadingStateChange(const RefPtr<ICefBrowser>&, bool, bool, bool) {}

void TCefLoadHandlerOwn::OnLoadStart(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&) {}

void TCefLoadHandlerOwn::OnLoadEnd(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, int) {}

void TCefLoadHandlerOwn::OnLoadError(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, cef_errorcode_t,
                                     const ustring&, const ustring&) {}

}  // namespace ceflib
