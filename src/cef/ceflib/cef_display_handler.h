#pragma once
// The display handler (cef_display_handler_t): ours, handed to the runtime by a client.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefDisplayHandler : public virtual ICefBase {
 public:
  virtual void OnAddressChange(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                               const ustring& url) = 0;
  virtual void OnTitleChange(const RefPtr<ICefBrowser>& browser, const ustring& title) = 0;
  virtual void OnFaviconUrlchange(const RefPtr<ICefBrowser>& browser, const ustringlist& iconUrls) = 0;
  virtual void OnFullscreenModeChange(const RefPtr<ICefBrowser>& browser, bool fullscreen) = 0;
  // text starts as the runtime's tooltip; whatever the handler leaves, empty included, replaces it.
  virtual bool OnTooltip(const RefPtr<ICefBrowser>& browser, ustring& text) = 0;
  virtual void OnStatusMessage(const RefPtr<ICefBrowser>& browser, const ustring& value) = 0;
  virtual bool OnConsoleMessage(const RefPtr<ICefBrowser>& browser, const ustring& message, const ustring& source,
                                int line) = 0;
};

// Shows nothing: the truth-valued operations return false, the others do nothing.
class TCefDisplayHandlerOwn : public TCefOwnOf<ICefDisplayHandler, cef_display_handler_t> {
 public:
  TCefDisplayHandlerOwn();
  void OnAddressChange(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                       const ustring& url) override;
  void OnTitleChange(const RefPtr<ICefBrowser>& browser, const ustring& title) override;
  void OnFaviconUrlchange(const RefPtr<ICefBrowser>& browser, const ustringlist& iconUrls) override;
  void OnFullscreenModeChange(const RefPtr<ICefBrowser>& browser, bool fullscreen) override;
  bool OnTooltip(const RefPtr<ICefBrowser>& browser, ustring& text) override;
  void OnStatusMessage(const RefPtr<ICefBrowser>& browser, const ustring& value) override;
  bool OnConsoleMessage(const RefPtr<ICefBrowser>& browser, const ustring& message, const ustring& source,
                        int line) override;
};

}  // namespace ceflib
