#include "ceflib/cef_browser.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_life_span_handler.h"

namespace ceflib {

using L = cef_life_span_handler_t;

TCefLifeSpanHandlerOwn::TCefLifeSpanHandlerOwn() {
  Bind<&L::on_before_popup, &TCefLifeSpanHandlerOwn::OnBeforePopup>();
  Bind<&L::on_after_created, &TCefLifeSpanHandlerOwn::OnAfterCreated>();
  Bind<&L::run_modal, &TCefLifeSpanHandlerOwn::RunModal>();
  Bind<&L::do_close, &TCefLifeSpanHandlerOwn::DoClose>();
  Bind<&L::on_before_close, &TCefLifeSpanHandlerOwn::OnBeforeClose>();
}

bool TCefLifeSpanHandlerOwn::OnBeforePopup(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, const ustring&,
                                           const ustring&, cef_window_open_disposition_t, bool,
                                           const cef_popup_features_t*, cef_window_info_t*, RefPtr<ICefClient>&,
                                           cef_browser_settings_t*, bool&) {
  return false;
}

void TCefLifeSpanHandlerOwn::OnAfterCreated(const RefPtr<ICefBrowser>&) {}

bool TCefLifeSpanHandlerOwn::RunModal(const RefPtr<ICefBrowser>&) { return false; }

bool TCefLifeSpanHandlerOwn::DoClose(const RefPtr<ICefBrowser>&) { return false; }

void TCefLifeSpanHandlerOwn::OnBeforeClose(const RefPtr<ICefBrowser>&) {}

}  // namespace ceflib
