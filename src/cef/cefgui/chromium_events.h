#pragma once
// IChromiumEvents: the one sink every runtime callback of a browser reaches, whatever handler
// the runtime called. The browser control implements it and raises one event per operation.

#include <guiddef.h>

#include <cstddef>
#include <cstdint>

#include "ceflib/ceflib.h"

namespace cefgui {

using namespace ceflib;

#define CHROMIUM_UNPAREN(...) __VA_ARGS__
#define CHROMIUM_EXPAND(x) x

class IChromiumEvents {
 public:
  // {0C139DB1-0349-4D7F-8155-76FEA6A0126D}
  static constexpr GUID IID = {0x0C139DB1, 0x0349, 0x4D7F, {0x81, 0x55, 0x76, 0xFE, 0xA6, 0xA0, 0x12, 0x6D}};

  // Fills the record (its size already set) from the control's options.
  virtual void FillBrowserSettings(cef_browser_settings_t& settings) = 0;

#define CHROMIUM_NOTIFY(Name, Params, Args) virtual void Handle##Name Params = 0;
#define CHROMIUM_QUERY(Name, Result, Unassigned, Params, Args) virtual Result Handle##Name Params = 0;
#include "cefgui/chromium_events.inc"
#undef CHROMIUM_NOTIFY
#undef CHROMIUM_QUERY

  // The off-screen render handler's questions; a windowed browser never asks them.
  virtual bool HandleGetRootScreenRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) = 0;
  virtual bool HandleGetViewRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) = 0;
  virtual bool HandleGetScreenPoint(const RefPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX,
                                    int& screenY) = 0;
  virtual bool HandleGetScreenInfo(const RefPtr<ICefBrowser>& browser, cef_screen_info_t* screenInfo) = 0;
  virtual void HandlePopupShow(const RefPtr<ICefBrowser>& browser, bool show) = 0;
  virtual void HandlePopupSize(const RefPtr<ICefBrowser>& browser, const cef_rect_t* rect) = 0;
  virtual void HandlePaint(const RefPtr<ICefBrowser>& browser, cef_paint_element_type_t type, size_t dirtyRectsCount,
                           const cef_rect_t* dirtyRects, const void* buffer, int width, int height) = 0;
  virtual void HandleCursorChange(const RefPtr<ICefBrowser>& browser, cef_cursor_handle_t cursor,
                                  cef_cursor_type_t type, const cef_cursor_info_t* customCursorInfo) = 0;
  virtual bool HandleStartDragging(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDragData>& dragData,
                                   cef_drag_operations_mask_t allowedOps, int x, int y) = 0;
  virtual void HandleUpdateDragCursor(const RefPtr<ICefBrowser>& browser, cef_drag_operations_mask_t operation) = 0;
  virtual void HandleScrollOffsetChanged(const RefPtr<ICefBrowser>& browser, double x, double y) = 0;

 protected:
  // The sink's life is its owner's business: nobody deletes it through this interface.
  virtual ~IChromiumEvents() = default;
};

}  // namespace cefgui
