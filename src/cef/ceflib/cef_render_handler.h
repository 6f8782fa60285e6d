#pragma once
// The render handler (cef_render_handler_t): ours, handed to the runtime by a client for
// windowless browsers. Its get_screen_info member stays null, so the runtime never asks for
// screen information and uses its own.

#include <cstddef>

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefRenderHandler : public virtual ICefBase {
 public:
  virtual bool GetRootScreenRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) = 0;
  virtual bool GetViewRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) = 0;
  virtual bool GetScreenPoint(const RefPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX,
                              int& screenY) = 0;
  virtual bool GetScreenInfo(const RefPtr<ICefBrowser>& browser, cef_screen_info_t* screenInfo) = 0;
  virtual void OnPopupShow(const RefPtr<ICefBrowser>& browser, bool show) = 0;
  virtual void OnPopupSize(const RefPtr<ICefBrowser>& browser, const cef_rect_t* rect) = 0;
  virtual void OnPaint(const RefPtr<ICefBrowser>& browser, cef_paint_element_type_t type, size_t dirtyRectsCount,
                       const cef_rect_t* dirtyRects, const void* buffer, int width, int height) = 0;
  virtual void OnCursorChange(const RefPtr<ICefBrowser>& browser, cef_cursor_handle_t cursor,
                              cef_cursor_type_t type, const cef_cursor_info_t* customCursorInfo) = 0;
  virtual bool StartDragging(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDragData>& dragData,
                             cef_drag_operations_mask_t allowedOps, int x, int y) = 0;
  virtual void UpdateDragCursor(const RefPtr<ICefBrowser>& browser, cef_drag_operations_mask_t operation) = 0;
  virtual void OnScrollOffsetChanged(const RefPtr<ICefBrowser>& browser, double x, double y) = 0;
};

// Draws nothing: the truth-valued operations return false, the others do nothing.
class TCefRenderHandlerOwn : public TCefOwnOf<ICefRenderHandler, cef_render_handler_t> {
 public:
  TCefRenderHandlerOwn();
  bool GetRootScreenRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) override;
  bool GetViewRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) override;
  bool GetScreenPoint(const RefPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX, int& screenY) override;
  bool GetScreenInfo(const RefPtr<ICefBrowser>& browser, cef_screen_info_t* screenInfo) override;
  void OnPopupShow(const RefPtr<ICefBrowser>& browser, bool show) override;
  void OnPopupSize(const RefPtr<ICefBrowser>& browser, const cef_rect_t* rect) override;
  void OnPaint(const RefPtr<ICefBrowser>& browser, cef_paint_element_type_t type, size_t dirtyRectsCount,
               const cef_rect_t* dirtyRects, const void* buffer, int width, int height) override;
  void OnCursorChange(const RefPtr<ICefBrowser>& browser, cef_cursor_handle_t cursor, cef_cursor_type_t type,
                      const cef_cursor_info_t* customCursorInfo) override;
  bool StartDragging(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDragData>& dragData,
                     cef_drag_operations_mask_t allowedOps, int x, int y) override;
  void UpdateDragCursor(const RefPtr<ICefBrowser>& browser, cef_drag_operations_mask_t operation) override;
  void OnScrollOffsetChanged(const RefPtr<ICefBrowser>& browser, double x, double y) override;
};

}  // namespace ceflib
