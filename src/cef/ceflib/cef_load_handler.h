#pragma once
// The load handler (cef_load_handler_t): ours, handed to the runtime by a client.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefLoadHandler : public virtual ICefBase {
 public:
  virtual void OnLoadingStateChange(const RefPtr<ICefBrowser>& browser, bool isLoading, bool canGoBack,
                                    bool canGoForward) = 0;
  virtual void OnLoadStart(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame) = 0;
  virtual void OnLoadEnd(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, int httpStatusCode) = 0;
  virtual void OnLoadError(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                           cef_errorcode_t errorCode, const ustring& errorText, const ustring& failedUrl) = 0;
};

// Does nothing.
class TCefLoadHandlerOwn : public TCefOwnOf<ICefLoadHandler, cef_load_handler_t> {
 public:
  TCefLoadHandlerOwn();
  void OnLoadingStateChange(const RefPtr<ICefBrowser>& browser, bool isLoading, bool canGoBack,
                            bool canGoForward) override;
  void OnLoadStart(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame) override;
  void OnLoadEnd(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, int httpStatusCode) override;
  void OnLoadError(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, cef_errorcode_t errorCode,
                   const ustring& errorText, const ustring& failedUrl) override;
};

}  // namespace ceflib
