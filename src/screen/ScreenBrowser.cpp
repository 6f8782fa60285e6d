// The screen window's browsers are the binding's browser control.

#include "screen/ScreenBrowser.h"

#include "cefvcl/chromium.h"

namespace screenbrowser {

namespace {

using ceflib::ICefBrowser;
using ceflib::ICefClient;
using ceflib::ICefFrame;
using ceflib::ICefJsDialogCallback;
using ceflib::RefPtr;
using ceflib::ustring;

// A load replaced by the next one is not a failure of the page.
constexpr int kErrAborted = -3;

bool IsServerError(int httpStatus) { return httpStatus >= 500 && httpStatus <= 599; }

void AnswerForTheOperator(TChromium& browser) {
  browser.OnJsdialog = [](TComponent*, const RefPtr<ICefBrowser>&, const ustring&, const ustring&,
                          cef_jsdialog_type_t type, const ustring&, const ustring&,
                          const RefPtr<ICefJsDialogCallback>& callback, bool& suppressMessage, bool& handled) {
    if (!callback) return;
    suppressMessage = false;
    callback->Cont(type == JSDIALOGTYPE_ALERT, L"");
    handled = true;
  };
  browser.OnBeforeUnloadDialog = [](TComponent*, const RefPtr<ICefBrowser>&, const ustring&, bool,
                                    const RefPtr<ICefJsDialogCallback>& callback, bool& handled) {
    if (!callback) return;
    callback->Cont(true, L"");
    handled = true;
  };
  // Asked on one of the runtime's own threads: it touches nothing but its answer.
  browser.OnBeforePopup = [](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                             const ustring&, const ustring&, cef_window_open_disposition_t, bool,
                             const cef_popup_features_t*, cef_window_info_t*, RefPtr<ICefClient>&,
                             cef_browser_settings_t*, bool&, bool& cancel) { cancel = true; };
}

}  // namespace

TChromium* Create(TWinControl& window) {
  TChromium& browser = MakeComponent<TChromium>(&window);
  browser.SetParent(&window);
  AnswerForTheOperator(browser);
  return &browser;
}

void Place(TChromium& browser, const TScreenRect& bounds) {
  browser.SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

void Load(TChromium& browser, const std::wstring& url) { browser.Load(url); }

void SendToBack(TChromium& browser) { browser.SendToBack(); }

void Focus(TChromium& browser) { browser.SetFocus(); }

ceflib::RefPtr<ICefFrame> MainFrame(TChromium& browser) {
  const ceflib::RefPtr<ICefBrowser>& runtimeBrowser = browser.Browser();
  return runtimeBrowser ? runtimeBrowser->GetMainFrame() : nullptr;
}

int& Tag(TChromium& browser) { return browser.Tag; }

void OnPageFailed(TChromium& browser, std::function<void(TPageFailure)> failed) {
  browser.OnLoadError = [failed](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>& frame, int errorCode,
                                 const ustring&, const ustring&) {
    if (frame && frame->IsMain() && errorCode != kErrAborted) failed(TPageFailure::LoadError);
  };
  browser.OnLoadEnd = [failed](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>& frame,
                               int httpStatus) {
    if (frame && frame->IsMain() && IsServerError(httpStatus)) failed(TPageFailure::ServerError);
  };
  browser.OnRenderProcessTerminated = [failed](TComponent*, const RefPtr<ICefBrowser>&,
                                               cef_termination_status_t) { failed(TPageFailure::RendererEnded); };
}

}  // namespace screenbrowser
