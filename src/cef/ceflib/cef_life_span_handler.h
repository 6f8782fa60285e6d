#pragma once
// The life span handler (cef_life_span_handler_t): ours, handed to the runtime by a client.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefLifeSpanHandler : public virtual ICefBase {
 public:
  // client comes in as the client the popup would get and goes back as the handler leaves it;
  // noJavascriptAccess likewise. windowInfo and settings may be changed in place.
  virtual bool OnBeforePopup(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                             const ustring& targetUrl, const ustring& targetFrameName,
                             cef_window_open_disposition_t targetDisposition, bool userGesture,
                             const cef_popup_features_t* popupFeatures, cef_window_info_t* windowInfo,
                             RefPtr<ICefClient>& client, cef_browser_settings_t* settings,
                             bool& noJavascriptAccess) = 0;
  virtual void OnAfterCreated(const RefPtr<ICefBrowser>& browser) = 0;
  virtual bool RunModal(const RefPtr<ICefBrowser>& browser) = 0;
  virtual bool DoClose(const RefPtr<ICefBrowser>& browser) = 0;
  virtual void OnBeforeClose(const RefPtr<ICefBrowser>& browser) = 0;
};

// Lets the runtime go its own way: the truth-valued operations return false, the others do nothing.
class TCefLifeSpanHandlerOwn : public TCefOwnOf<ICefLifeSpanHandler, cef_life_span_handler_t> {
 public:
  TCefLifeSpanHandlerOwn();
  bool OnBeforePopup(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, const ustring& targetUrl,
                     const ustring& targetFrameName, cef_window_open_disposition_t targetDisposition,
                     bool userGesture, const cef_popup_features_t* popupFeatures, cef_window_info_t* windowInfo,
                     RefPtr<ICefClient>& client, cef_browser_settings_t* settings,
                     bool& noJavascriptAccess) override;
  void OnAfterCreated(const RefPtr<ICefBrowser>& browser) override;
  bool RunModal(const RefPtr<ICefBrowser>& browser) override;
  bool DoClose(const RefPtr<ICefBrowser>& browser) override;
  void OnBeforeClose(const RefPtr<ICefBrowser>& browser) override;
};

}  // namespace ceflib
