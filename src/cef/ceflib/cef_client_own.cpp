#include "ceflib/cef_browser.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_context_menu_handler.h"
#include "ceflib/cef_dialog_handler.h"
#include "ceflib/cef_display_handler.h"
#include "ceflib/cef_download_handler.h"
#include "ceflib/cef_drag_handler.h"
#include "ceflib/cef_find_handler.h"
#include "ceflib/cef_focus_handler.h"
#include "ceflib/cef_geolocation_handler.h"
#include "ceflib/cef_jsdialog_handler.h"
#include "ceflib/cef_keyboard_handler.h"
#include "ceflib/cef_life_span_handler.h"
#include "ceflib/cef_load_handler.h"
#include "ceflib/cef_process_message.h"
#include "ceflib/cef_render_handler.h"
#include "ceflib/cef_request_handler.h"

namespace ceflib {

using C = cef_client_t;

TCefClientOwn::TCefClientOwn() {
  Bind<&C::get_context_menu_handler, &TCefClientOwn::GetContextMenuHandler>();
  Bind<&C::get_dialog_handler, &TCefClientOwn::GetDialogHandler>();
  Bind<&C::get_display_handler, &TCefClientOwn::GetDisplayHandler>();
  Bind<&C::get_download_handler, &TCefClientOwn::GetDownloadHandler>();
  Bind<&C::get_drag_handler, &TCefClientOwn::GetDragHandler>();
  Bind<&C::get_find_handler, &TCefClientOwn::GetFindHandler>();
  Bind<&C::get_focus_handler, &TCefClientOwn::GetFocusHandler>();
  Bind<&C::get_geolocation_handler, &TCefClientOwn::GetGeolocationHandler>();
  Bind<&C::get_jsdialog_handler, &TCefClientOwn::GetJsdialogHandler>();
  Bind<&C::get_keyboard_handler, &TCefClientOwn::GetKeyboardHandler>();
  Bind<&C::get_life_span_handler, &TCefClientOwn::GetLifeSpanHandler>();
  Bind<&C::get_load_handler, &TCefClientOwn::GetLoadHandler>();
  Bind<&C::get_render_handler, &TCefClientOwn::GetRenderHandler>();
  Bind<&C::get_request_handler, &TCefClientOwn::GetRequestHandler>();
  Bind<&C::on_process_message_received, &TCefClientOwn::OnProcessMessageReceived>();
}

RefPtr<ICefContextMenuHandler> TCefClientOwn::GetContextMenuHandler() { return nullptr; }
RefPtr<ICefDialogHandler> TCefClientOwn::GetDialogHandler() { return nullptr; }
RefPtr<ICefDisplayHandler> TCefClientOwn::GetDisplayHandler() { return nullptr; }
RefPtr<ICefDownloadHandler> TCefClientOwn::GetDownloadHandler() { return nullptr; }
RefPtr<ICefDragHandler> TCefClientOwn::GetDragHandler() { return nullptr; }
RefPtr<ICefFindHandler> TCefClientOwn::GetFindHandler() { return nullptr; }
RefPtr<ICefFocusHandler> TCefClientOwn::GetFocusHandler() { return nullptr; }
RefPtr<ICefGeolocationHandler> TCefClientOwn::GetGeolocationHandler() { return nullptr; }
RefPtr<ICefJsDialogHandler> TCefClientOwn::GetJsdialogHandler() { return nullptr; }
RefPtr<ICefKeyboardHandler> TCefClientOwn::GetKeyboardHandler() { return nullptr; }
RefPtr<ICefLifeSpanHandler> TCefClientOwn::GetLifeSpanHandler() { return nullptr; }
RefPtr<ICefLoadHandler> TCefClientOwn::GetLoadHandler() { return nullptr; }
RefPtr<ICefRenderHandler> TCefClientOwn::GetRenderHandler() { return nullptr; }
RefPtr<ICefRequestHandler> TCefClientOwn::GetRequestHandler() { return nullptr; }

bool TCefClientOwn::OnProcessMessageReceived(const RefPtr<ICefBrowser>&, cef_process_id_t,
                                             const RefPtr<ICefProcessMessage>&) {
  return false;
}

}  // namespace ceflib
