// The screen window's browsers are the binding's browser control.

#include "screen/ScreenBrowser.h"

#include "cefvcl/chromium.h"

namespace screenbrowser {

namespace {

// A load replaced by the next one is not a failure of the page.
constexpr int kErrAborted = -3;

}  // namespace

TChromium* Create(TWinControl& window) {
  TChromium& browser = MakeComponent<TChromium>(&window);
  browser.SetParent(&window);
  return &browser;
}

void Place(TChromium& browser, const TScreenRect& bounds) {
  browser.SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

void Load(TChromium& browser, const std::wstring& url) { browser.Load(url); }

void SendToBack(TChromium& browser) { browser.SendToBack(); }

void Focus(TChromium& browser) { browser.SetFocus(); }

ceflib::RefPtr<ceflib::ICefFrame> MainFrame(TChromium& browser) {
  const ceflib::RefPtr<ceflib::ICefBrowser>& runtimeBrowser = browser.Browser();
  return runtimeBrowser ? runtimeBrowser->GetMainFrame() : nullptr;
}

int& Tag(TChromium& browser) { return browser.Tag; }

void OnMainFrameError(TChromium& browser, std::function<void()> failed) {
  browser.OnLoadError = [failed = std::move(failed)](TComponent*, const ceflib::RefPtr<ceflib::ICefBrowser>&,
                                                     const ceflib::RefPtr<ceflib::ICefFrame>& frame, int errorCode,
                                                     const ceflib::ustring&, const ceflib::ustring&) {
    if (frame && frame->IsMain() && errorCode != kErrAborted) failed();
  };
}

}  // namespace screenbrowser
