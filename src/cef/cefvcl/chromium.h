#pragma once
// TChromium: a windowed control that hosts one runtime browser as a child window. The browser
// is made with the control's window, which the toolkit makes once the control has a parent and
// the window is needed (Load makes it). Every runtime callback reaches the control through
// IChromiumEvents and is raised as the matching event; an event left unassigned answers what
// lets the runtime go on as it would (requests continue, nothing is handled).

#include <functional>
#include <memory>

#include "cefgui/chromium_events.h"
#include "cefgui/chromium_options.h"
#include "cefgui/client_handler.h"
#include "toolkit/WinControl.h"

namespace cefvcl {

using namespace cefgui;

// Event types: the control, the sink operation's arguments, and for a question the answer.
#define CHROMIUM_NOTIFY(Name, Params, Args) \
  using TOn##Name = std::function<void(TComponent * Sender, CHROMIUM_EXPAND(CHROMIUM_UNPAREN Params))>;
#define CHROMIUM_QUERY(Name, R, Unassigned, Params, Args) \
  using TOn##Name = std::function<void(TComponent * Sender, CHROMIUM_EXPAND(CHROMIUM_UNPAREN Params), R & Result)>;
#include "cefgui/chromium_events.inc"
#undef CHROMIUM_NOTIFY
#undef CHROMIUM_QUERY

class TCustomChromium : public TWinControl, public IChromiumEvents {
 public:
  // The control is freed with its owner (when it has one). It has no window and no browser
  // until SetParent and the first Load.
  explicit TCustomChromium(TComponent* owner);
  ~TCustomChromium() override;

  // Loads url into the browser's main frame, first making the window and the browser if need
  // be (raises when the control has no parent). Without a browser or main frame: nothing.
  void Load(const ustring& url);
  // Makes a new browser and loads url into it; the old one is let go of, not closed, and
  // goes with the control's window. Nothing while there is no browser.
  void ReCreateBrowser(const ustring& url);
  // Opens the runtime's developer tools for this browser in a window of their own.
  void ShowDevTools(const cef_point_t* inspectElementAt = nullptr);
  void CloseDevTools();

  // The runtime browser, nil until it was made (or when the runtime made none).
  const RefPtr<ICefBrowser>& Browser() const noexcept { return FBrowser; }
  int BrowserId() const noexcept { return FBrowserId; }

  const ustring& DefaultUrl() const noexcept { return FDefaultUrl; }
  void SetDefaultUrl(const ustring& url) { FDefaultUrl = url; }
  const ustring& DefaultEncoding() const noexcept { return FDefaultEncoding; }
  void SetDefaultEncoding(const ustring& encoding) { FDefaultEncoding = encoding; }
  // Read when the browser is made.
  TChromiumOptions& Options() noexcept { return *FOptions; }
  void SetOptions(const TChromiumOptions& options) { *FOptions = options; }
  TChromiumFontOptions& FontOptions() noexcept { return *FFontOptions; }

  // After the control's stored properties were set: loads DefaultUrl.
  virtual void Loaded();

#define CHROMIUM_NOTIFY(Name, Params, Args) TOn##Name On##Name;
#define CHROMIUM_QUERY(Name, R, Unassigned, Params, Args) TOn##Name On##Name;
#include "cefgui/chromium_events.inc"
#undef CHROMIUM_NOTIFY
#undef CHROMIUM_QUERY

 protected:
  virtual RefPtr<ICefClient> CreateClientHandler();
  // Makes the runtime browser in the control's window, synchronously.
  virtual void CreateBrowser();

  void CreateWnd() override;
  void Resize() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void FillBrowserSettings(cef_browser_settings_t& settings) override;

#define CHROMIUM_NOTIFY(Name, Params, Args) void Handle##Name Params override;
#define CHROMIUM_QUERY(Name, R, Unassigned, Params, Args) R Handle##Name Params override;
#include "cefgui/chromium_events.inc"
#undef CHROMIUM_NOTIFY
#undef CHROMIUM_QUERY

  // A windowed browser asks none of these; they answer false or do nothing.
  bool HandleGetRootScreenRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) override;
  bool HandleGetViewRect(const RefPtr<ICefBrowser>& browser, cef_rect_t* rect) override;
  bool HandleGetScreenPoint(const RefPtr<ICefBrowser>& browser, int viewX, int viewY, int& screenX,
                            int& screenY) override;
  bool HandleGetScreenInfo(const RefPtr<ICefBrowser>& browser, cef_screen_info_t* screenInfo) override;
  void HandlePopupShow(const RefPtr<ICefBrowser>& browser, bool show) override;
  void HandlePopupSize(const RefPtr<ICefBrowser>& browser, const cef_rect_t* rect) override;
  void HandlePaint(const RefPtr<ICefBrowser>& browser, cef_paint_element_type_t type, size_t dirtyRectsCount,
                   const cef_rect_t* dirtyRects, const void* buffer, int width, int height) override;
  void HandleCursorChange(const RefPtr<ICefBrowser>& browser, cef_cursor_handle_t cursor, cef_cursor_type_t type,
                          const cef_cursor_info_t* customCursorInfo) override;
  bool HandleStartDragging(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDragData>& dragData,
                           cef_drag_operations_mask_t allowedOps, int x, int y) override;
  void HandleUpdateDragCursor(const RefPtr<ICefBrowser>& browser, cef_drag_operations_mask_t operation) override;
  void HandleScrollOffsetChanged(const RefPtr<ICefBrowser>& browser, double x, double y) override;

 private:
  // The browser's own window, or 0.
  HWND BrowserWindow() const;

  RefPtr<ICefClient> FHandler;
  RefPtr<ICefBrowser> FBrowser;
  int FBrowserId = 0;
  ustring FDefaultUrl;
  std::unique_ptr<TChromiumOptions> FOptions;
  ustring FDefaultEncoding;
  std::unique_ptr<TChromiumFontOptions> FFontOptions;
};

class TChromium : public TCustomChromium {
 public:
  using TCustomChromium::TCustomChromium;
};

}  // namespace cefvcl
