#include "cefvcl/chromium.h"

#include "base/ScopeExit.h"
#include "cefvcl/vcl_client_handler.h"

namespace cefvcl {
namespace {

TCreateParams ChromiumParams() {
  TCreateParams params;
  params.ClassName = EnsureWindowClass(L"TChromium");
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP;
  return params;
}

}  // namespace

TCustomChromium::TCustomChromium(TComponent* owner)
    : TWinControl(owner, ChromiumParams(), TOnDemand{}), FDefaultUrl(L"about:blank") {
  FHandler = CreateClientHandler();
  FOptions = std::make_unique<TChromiumOptions>();
  FFontOptions = std::make_unique<TChromiumFontOptions>();
}

TCustomChromium::~TCustomChromium() {
  if (FBrowser) FBrowser->StopLoad();
  // From here on, callbacks the runtime still makes through handlers it holds stop short of
  // this control; those running on other threads are waited for.
  if (auto* handler = dynamic_cast<ICefClientHandler*>(FHandler.get())) handler->Detach();
  FHandler.reset();
  FBrowser.reset();
  FFontOptions.reset();
  FOptions.reset();
  // The toolkit then destroys the window, and the browser's window with it.
}

RefPtr<ICefClient> TCustomChromium::CreateClientHandler() {
  return MakeRef<TVCLClientHandler>(this, /*renderer=*/false);
}

void TCustomChromium::CreateWnd() {
  TWinControl::CreateWnd();
  CreateBrowser();
}

void TCustomChromium::CreateBrowser() {
  RECT client;
  GetClientRect(Handle(), &client);
  cef_window_info_t info{};
  info.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP;
  info.parent_window = Handle();
  info.x = client.left;
  info.y = client.top;
  info.width = client.right - client.left;
  info.height = client.bottom - client.top;
  cef_browser_settings_t settings{};
  settings.size = sizeof settings;
  FillBrowserSettings(settings);
  // Empty: the first address comes from Load.
  FBrowser = CreateBrowserSync(&info, FHandler, ustring(), &settings, nullptr);
  FBrowserId = FBrowser ? FBrowser->GetIdentifier() : 0;
}

void TCustomChromium::FillBrowserSettings(cef_browser_settings_t& settings) {
  cefgui::FillBrowserSettings(settings, *FOptions, *FFontOptions, FDefaultEncoding);
}

void TCustomChromium::Load(const ustring& url) {
  HandleNeeded();
  if (!FBrowser) return;
  if (RefPtr<ICefFrame> frame = FBrowser->GetMainFrame()) frame->LoadUrl(url);
}

void TCustomChromium::Loaded() { Load(FDefaultUrl); }

void TCustomChromium::ReCreateBrowser(const ustring& url) {
  if (!FBrowser || FBrowserId == 0) return;
  FBrowserId = 0;
  // The old browser is neither stopped nor closed, only let go of: asked to close, the runtime
  // asks the client first, and on the control's answer (no) closes the browser's top-level
  // window, which is the saver's own. It goes with the control's window.
  FBrowser.reset();
  CreateBrowser();
  Load(url);
}

HWND TCustomChromium::BrowserWindow() const {
  if (!FBrowser) return nullptr;
  RefPtr<ICefBrowserHost> host = FBrowser->GetHost();
  return host ? host->GetWindowHandle() : nullptr;
}

void TCustomChromium::Resize() {
  if (!FBrowser) return;
  HWND window = BrowserWindow();
  if (!window || window == INVALID_HANDLE_VALUE) return;
  RECT r;
  GetClientRect(Handle(), &r);
  // One batch: the browser window moves and resizes in a single step.
  HDWP batch = BeginDeferWindowPos(1);
  auto endBatch = ScopeExit([&] {
    if (batch) EndDeferWindowPos(batch);
  });
  if (batch)
    batch = DeferWindowPos(batch, window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
}

LRESULT TCustomChromium::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      if (HWND window = BrowserWindow()) PostMessageW(window, WM_SETFOCUS, wParam, 0);
      break;
    case WM_ERASEBKGND:
      if (FBrowser) return 1;  // the browser paints all of it
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case CM_WANTSPECIALKEY:
      switch (wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
          break;
        default:
          return 1;
      }
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

void TCustomChromium::ShowDevTools(const cef_point_t* inspectElementAt) {
  if (!FBrowser) return;
  RefPtr<ICefBrowserHost> host = FBrowser->GetHost();
  if (!host) return;
  static const ustring title = L"DevTools";
  cef_window_info_t info{};
  info.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
  info.parent_window = host->GetWindowHandle();
  info.x = info.y = info.width = info.height = CW_USEDEFAULT;
  info.window_name = CefStringView(title);
  cef_browser_settings_t settings{};  // the control's options are not the tools' options
  settings.size = sizeof settings;
  host->ShowDevTools(&info, MakeRef<TCefClientOwn>(), &settings, inspectElementAt);
}

void TCustomChromium::CloseDevTools() {
  if (!FBrowser) return;
  if (RefPtr<ICefBrowserHost> host = FBrowser->GetHost()) host->CloseDevTools();
}

// Each sink operation raises its event, with the answer preset to the unassigned value.
#define CHROMIUM_NOTIFY(Name, Params, Args)                                   \
  void TCustomChromium::Handle##Name Params {                                 \
    if (On##Name) On##Name(this, CHROMIUM_EXPAND(CHROMIUM_UNPAREN Args));     \
  }
#define CHROMIUM_QUERY(Name, R, Unassigned, Params, Args)                             \
  R TCustomChromium::Handle##Name Params {                                            \
    R Result = Unassigned;                                                            \
    if (On##Name) On##Name(this, CHROMIUM_EXPAND(CHROMIUM_UNPAREN Args), Result);     \
    return Result;                                                                    \
  }
#include "cefgui/chromium_events.inc"
#undef CHROMIUM_NOTIFY
#undef CHROMIUM_QUERY

bool TCustomChromium::HandleGetRootScreenRect(const RefPtr<ICefBrowser>&, cef_rect_t*) { return false; }
bool TCustomChromium::HandleGetViewRect(const RefPtr<ICefBrowser>&, cef_rect_t*) { return false; }
bool TCustomChromium::HandleGetScreenPoint(const RefPtr<ICefBrowser>&, int, int, int&, int&) { return false; }
bool TCustomChromium::HandleGetScreenInfo(const RefPtr<ICefBrowser>&, cef_screen_info_t*) { return false; }
void TCustomChromium::HandlePopupShow(const RefPtr<ICefBrowser>&, bool) {}
void TCustomChromium::HandlePopupSize(const RefPtr<ICefBrowser>&, const cef_rect_t*) {}
void TCustomChromium::HandlePaint(const RefPtr<ICefBrowser>&, cef_paint_element_type_t, size_t, const cef_rect_t*,
                                  const void*, int, int) {}
void TCustomChromium::HandleCursorChange(const RefPtr<ICefBrowser>&, cef_cursor_handle_t, cef_cursor_type_t,
                                         const cef_cursor_info_t*) {}
bool TCustomChromium::HandleStartDragging(const RefPtr<ICefBrowser>&, const RefPtr<ICefDragData>&,
                                          cef_drag_operations_mask_t, int, int) {
  return false;
}
void TCustomChromium::HandleUpdateDragCursor(const RefPtr<ICefBrowser>&, cef_drag_operations_mask_t) {}
void TCustomChromium::HandleScrollOffsetChanged(const RefPtr<ICefBrowser>&, double, double) {}

}  // namespace cefvcl
