#include "ceflib/cef_browser.h"
#include "ceflib/cef_drag_data.h"
#include "ceflib/cef_render_handler.h"

namespace ceflib {

using R = cef_render_handler_t;

TCefRenderHandlerOwn::TCefRenderHandlerOwn() {
  Bind<&R::get_root_screen_rect, &TCefRenderHandlerOwn::GetRootScreenRect>();
  Bind<&R::get_view_rect, &TCefRenderHandlerOwn::GetViewRect>();
  Bind<&R::get_screen_point, &TCefRenderHandlerOwn::GetScreenPoint>();
  // get_screen_info stays null.
  Bind<&R::on_popup_show, &TCefRenderHandlerOwn::OnPopupShow>();
  Bind<&R::on_popup_size, &TCefRenderHandlerOwn::OnPopupSize>();
  Bind<&R::on_paint, &TCefRenderHandlerOwn::OnPaint>();
  Bind<&R::on_cursor_change, &TCefRenderHandlerOwn::OnCursorChange>();
  Bind<&R::start_dragging, &TCefRenderHandlerOwn::StartDragging>();
  Bind<&R::update_drag_cursor, &TCefRenderHandlerOwn::UpdateDragCursor>();
  Bind<&R::on_scroll_offset_changed, &TCefRenderHandlerOwn::OnScrollOffsetChanged>();
}

bool TCefRenderHandlerOwn::GetRootScreenRect(const RefPtr<ICefBrowser>&, cef_rect_t*) { return false; }

bool TCefRenderHandlerOwn::GetViewRect(const RefPtr<ICefBrowser>&, cef_rect_t*) { return false; }

bool TCefRenderHandlerOwn::GetScreenPoint(const RefPtr<ICefBrowser>&, int, int, int&, int&) { return false; }

bool TCefRenderHandlerOwn::GetScreenInfo(const RefPtr<ICefBrowser>&, cef_screen_info_t*) { return false; }

void TCefRenderHandlerOwn::OnPopupShow(const RefPtr<ICefBrowser>&, bool) {}

void TCefRenderHandlerOwn::OnPopupSize(const RefPtr<ICefBrowser>&, const cef_rect_t*) {}

void TCefRenderHandlerOwn::OnPaint(const RefPtr<ICefBrowser>&, cef_paint_element_type_t, size_t, const cef_rect_t*,
                                   const void*, int, int) {}

void TCefRenderHandlerOwn::OnCursorChange(const RefPtr<ICefBrowser>&, cef_cursor_handle_t, cef_cursor_type_t,
                                          const cef_cursor_info_t*) {}

bool TCefRenderHandlerOwn::StartDragging(const RefPtr<ICefBrowser>&, const RefPtr<ICefDragData>&,
                                         cef_drag_operations_mask_t, int, int) {
  return false;
}

void TCefRenderHandlerOwn::UpdateDragCursor(const RefPtr<ICefBrowser>&, cef_drag_operations_mask_t) {}

void TCefRenderHandlerOwn::OnScrollOffsetChanged(const RefPtr<ICefBrowser>&, double, double) {}

}  // namespace ceflib
