#include "ceflib/cef_browser.h"
#include "ceflib/cef_context_menu_handler.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_menu_model.h"

namespace ceflib {

using C = cef_context_menu_handler_t;

TCefContextMenuHandlerOwn::TCefContextMenuHandlerOwn() {
  Bind<&C::on_before_context_menu, &TCefContextMenuHandlerOwn::OnBeforeContextMenu>();
  Bind<&C::run_context_menu, &TCefContextMenuHandlerOwn::RunContextMenu>();
  Bind<&C::on_context_menu_command, &TCefContextMenuHandlerOwn::OnContextMenuCommand>();
  Bind<&C::on_context_menu_dismissed, &TCefContextMenuHandlerOwn::OnContextMenuDismissed>();
}

void TCefContextMenuHandlerOwn::OnBeforeContextMenu(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                                    const RefPtr<ICefContextMenuParams>&,
                                                    const RefPtr<ICefMenuModel>&) {}

bool TCefContextMenuHandlerOwn::RunContextMenu(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                               const RefPtr<ICefContextMenuParams>&, const RefPtr<ICefMenuModel>&,
                                               const RefPtr<ICefRunContextMenuCallback>&) {
  return false;
}

bool TCefContextMenuHandlerOwn::OnContextMenuCommand(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                                     const RefPtr<ICefContextMenuParams>&, int, cef_event_flags_t) {
  return false;
}

void TCefContextMenuHandlerOwn::OnContextMenuDismissed(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&) {}

}  // namespace ceflib
