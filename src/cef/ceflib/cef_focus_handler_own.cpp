#include "ceflib/cef_browser.h"
#include "ceflib/cef_focus_handler.h"

namespace ceflib {

using F = cef_focus_handler_t;

TCefFocusHandlerOwn::TCefFocusHandlerOwn() {
  Bind<&F::on_take_focus, &TCefFocusHandlerOwn::OnTakeFocus>();
  Bind<&F::on_set_focus, &TCefFocusHandlerOwn::OnSetFocus>();
  Bind<&F::on_got_focus, &TCefFocusHandlerOwn::OnGotFocus>();
}

void TCefFocusHandlerOwn::OnTakeFocus(const RefPtr<ICefBrowser>&, bool) {}

bool TCefFocusHandlerOwn::OnSetFocus(const RefPtr<ICefBrowser>&, cef_focus_source_t) { return false; }

void TCefFocusHandlerOwn::OnGotFocus(const RefPtr<ICefBrowser>&) {}

}  // namespace ceflib
