#pragma once
// The focus handler (cef_focus_handler_t): ours, handed to the runtime by a client.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefFocusHandler : public virtual ICefBase {
 public:
  virtual void OnTakeFocus(const RefPtr<ICefBrowser>& browser, bool next) = 0;
  // True cancels the focus change.
  virtual bool OnSetFocus(const RefPtr<ICefBrowser>& browser, cef_focus_source_t source) = 0;
  virtual void OnGotFocus(const RefPtr<ICefBrowser>& browser) = 0;
};

// Lets the focus move: OnSetFocus returns false, the others do nothing.
class TCefFocusHandlerOwn : public TCefOwnOf<ICefFocusHandler, cef_focus_handler_t> {
 public:
  TCefFocusHandlerOwn();
  void OnTakeFocus(const RefPtr<ICefBrowser>& browser, bool next) override;
  bool OnSetFocus(const RefPtr<ICefBrowser>& browser, cef_focus_source_t source) override;
  void OnGotFocus(const RefPtr<ICefBrowser>& browser) override;
};

}  // namespace ceflib
