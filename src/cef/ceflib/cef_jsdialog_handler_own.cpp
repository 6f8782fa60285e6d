#include "ceflib/cef_browser.h"
#include "ceflib/cef_jsdialog_handler.h"

namespace ceflib {

using J = cef_jsdialog_handler_t;

TCefJsDialogHandlerOwn::TCefJsDialogHandlerOwn() {
  Bind<&J::on_jsdialog, &TCefJsDialogHandlerOwn::OnJsdialog>();
  Bind<&J::on_before_unload_dialog, &TCefJsDialogHandlerOwn::OnBeforeUnloadDialog>();
  Bind<&J::on_reset_dialog_state, &TCefJsDialogHandlerOwn::OnResetDialogState>();
  Bind<&J::on_dialog_closed, &TCefJsDialogHandlerOwn::OnDialogClosed>();
}

bool TCefJsDialogHandlerOwn::OnJsdialog(const RefPtr<ICefBrowser>&, const ustring&, const ustring&,
                                        cef_jsdialog_type_t, const ustring&, const ustring&,
                                        const RefPtr<ICefJsDialogCallback>&, bool&) {
  return false;
}

bool TCefJsDialogHandlerOwn::OnBeforeUnloadDialog(const RefPtr<ICefBrowser>&, const ustring&, bool,
                                                  const RefPtr<ICefJsDialogCallback>&) {
  return false;
}

void TCefJsDialogHandlerOwn::OnResetDialogState(const RefPtr<ICefBrowser>&) {}

void TCefJsDialogHandlerOwn::OnDialogClosed(const RefPtr<ICefBrowser>&) {}

}  // namespace ceflib
