#pragma once
// A sink that records the name of every operation that reaches it and answers as an
// unassigned control would; tests override single operations to write var/out values.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "cefgui/chromium_events.h"

namespace cefgui::test {

class TRecordingSink : public IChromiumEvents {
 public:
  // Shared, so a test can still read it after the sink is gone.
  std::shared_ptr<std::atomic<int>> Calls = std::make_shared<std::atomic<int>>(0);
  std::vector<std::string> Names;

  void FillBrowserSettings(cef_browser_settings_t&) override { Record("FillBrowserSettings"); }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"  // the table names every parameter
#define CHROMIUM_NOTIFY(Name, Params, Args) \
  void Handle##Name Params override { Record(#Name); }
#define CHROMIUM_QUERY(Name, R, Unassigned, Params, Args) \
  R Handle##Name Params override {                        \
    Record(#Name);                                        \
    return Unassigned;                                    \
  }
#include "cefgui/chromium_events.inc"
#undef CHROMIUM_NOTIFY
#undef CHROMIUM_QUERY
#pragma GCC diagnostic pop
  bool HandleGetRootScreenRect(const RefPtr<ICefBrowser>&, cef_rect_t*) override { return Record("GetRootScreenRect"); }
  bool HandleGetViewRect(const RefPtr<ICefBrowser>&, cef_rect_t*) override { return Record("GetViewRect"); }
  bool HandleGetScreenPoint(const RefPtr<ICefBrowser>&, int, int, int&, int&) override {
    return Record("GetScreenPoint");
  }
  bool HandleGetScreenInfo(const RefPtr<ICefBrowser>&, cef_screen_info_t*) override { return Record("GetScreenInfo"); }
  void HandlePopupShow(const RefPtr<ICefBrowser>&, bool) override { Record("PopupShow"); }
  void HandlePopupSize(const RefPtr<ICefBrowser>&, const cef_rect_t*) override { Record("PopupSize"); }
  void HandlePaint(const RefPtr<ICefBrowser>&, cef_paint_element_type_t, size_t, const cef_rect_t*, const void*, int,
                   int) override {
    Record("Paint");
  }
  void HandleCursorChange(const RefPtr<ICefBrowser>&, cef_cursor_handle_t, cef_cursor_type_t,
                          const cef_cursor_info_t*) override {
    Record("CursorChange");
  }
  bool HandleStartDragging(const RefPtr<ICefBrowser>&, const RefPtr<ICefDragData>&, cef_drag_operations_mask_t, int,
                           int) override {
    return Record("StartDragging");
  }
  void HandleUpdateDragCursor(const RefPtr<ICefBrowser>&, cef_drag_operations_mask_t) override {
    Record("UpdateDragCursor");
  }
  void HandleScrollOffsetChanged(const RefPtr<ICefBrowser>&, double, double) override {
    Record("ScrollOffsetChanged");
  }

 protected:
  bool Record(const char* name) {
    ++*Calls;
    Names.emplace_back(name);
    return false;
  }
};

}  // namespace cefgui::test
