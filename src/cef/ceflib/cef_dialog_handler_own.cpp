#include "ceflib/cef_browser.h"
#include "ceflib/cef_dialog_handler.h"

namespace ceflib {

TCefDialogHandlerOwn::TCefDialogHandlerOwn() {
  Bind<&cef_dialog_handler_t::on_file_dialog, &TCefDialogHandlerOwn::OnFileDialog>();
}

bool TCefDialogHandlerOwn::OnFileDialog(const RefPtr<ICefBrowser>&, cef_file_dialog_mode_t, const ustring&,
                                        const ustring&, const ustringlist&, int,
                                        const RefPtr<ICefFileDialogCallback>&) {
  return false;
}

}  // namespace ceflib
