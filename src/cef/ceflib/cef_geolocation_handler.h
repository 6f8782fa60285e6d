#pragma once
// The geolocation family (cef_geolocation_handler_t and its callback): the handler is ours,
// handed to the runtime by a client; the callback is a runtime object reached through its
// wrapper.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefGeolocationCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefGeolocationCallback> UnWrap(void* data);

  virtual void Cont(bool allow) = 0;
};

class ICefGeolocationHandler : public virtual ICefBase {
 public:
  virtual bool OnRequestGeolocationPermission(const RefPtr<ICefBrowser>& browser, const ustring& requestingUrl,
                                              int requestId, const RefPtr<ICefGeolocationCallback>& callback) = 0;
  virtual void OnCancelGeolocationPermission(const RefPtr<ICefBrowser>& browser, const ustring& requestingUrl,
                                             int requestId) = 0;
};

// Decides nothing: the request returns false, the cancellation does nothing.
class TCefGeolocationHandlerOwn : public TCefOwnOf<ICefGeolocationHandler, cef_geolocation_handler_t> {
 public:
  TCefGeolocationHandlerOwn();
  bool OnRequestGeolocationPermission(const RefPtr<ICefBrowser>& browser, const ustring& requestingUrl,
                                      int requestId, const RefPtr<ICefGeolocationCallback>& callback) override;
  void OnCancelGeolocationPermission(const RefPtr<ICefBrowser>& browser, const ustring& requestingUrl,
                                     int requestId) override;
};

}  // namespace ceflib
