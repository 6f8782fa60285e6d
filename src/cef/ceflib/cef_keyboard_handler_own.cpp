#include "ceflib/cef_browser.h"
#include "ceflib/cef_keyboard_handler.h"

namespace ceflib {

using K = cef_keyboard_handler_t;

TCefKeyboardHandlerOwn::TCefKeyboardHandlerOwn() {
  Bind<&K::on_pre_key_event, &TCefKeyboardHandlerOwn::OnPreKeyEvent>();
  Bind<&K::on_key_event, &TCefKeyboardHandlerOwn::OnKeyEvent>();
}

bool TCefKeyboardHandlerOwn::OnPreKeyEvent(const RefPtr<ICefBrowser>&, const cef_key_event_t*, cef_event_handle_t,
                                           bool&) {
  return false;
}

bool TCefKeyboardHandlerOwn::OnKeyEvent(const RefPtr<ICefBrowser>&, const cef_key_event_t*, cef_event_handle_t) {
  return false;
}

}  // namespace ceflib
