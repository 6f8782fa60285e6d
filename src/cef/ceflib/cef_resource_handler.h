#pragma once
// A resource handler (cef_resource_handler_t) answers one request of a custom scheme. A new
// one is made for every request by the scheme's factory, from (browser, frame, schemeName,
// request); derive from TCefResourceHandlerOwn and override what the scheme needs.

#include <cstdint>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_callback.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_response.h"

namespace ceflib {

class ICefResourceHandler : public virtual ICefBase {
 public:
  virtual bool ProcessRequest(const RefPtr<ICefRequest>& request, const RefPtr<ICefCallback>& callback) = 0;
  // redirectUrl starts as the runtime's value and replaces it only when left non-empty.
  virtual void GetResponseHeaders(const RefPtr<ICefResponse>& response, int64_t& responseLength,
                                  ustring& redirectUrl) = 0;
  virtual bool ReadResponse(void* dataOut, int bytesToRead, int& bytesRead,
                            const RefPtr<ICefCallback>& callback) = 0;
  virtual bool CanGetCookie(const cef_cookie_t* cookie) = 0;
  virtual bool CanSetCookie(const cef_cookie_t* cookie) = 0;
  virtual void Cancel() = 0;
};

// Defaults: the truth-valued operations return false, the others do nothing.
class TCefResourceHandlerOwn : public TCefOwnOf<ICefResourceHandler, cef_resource_handler_t> {
 public:
  TCefResourceHandlerOwn(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                         const ustring& schemeName, const RefPtr<ICefRequest>& request);

  bool ProcessRequest(const RefPtr<ICefRequest>& request, const RefPtr<ICefCallback>& callback) override;
  void GetResponseHeaders(const RefPtr<ICefResponse>& response, int64_t& responseLength,
                          ustring& redirectUrl) override;
  bool ReadResponse(void* dataOut, int bytesToRead, int& bytesRead, const RefPtr<ICefCallback>& callback) override;
  bool CanGetCookie(const cef_cookie_t* cookie) override;
  bool CanSetCookie(const cef_cookie_t* cookie) override;
  void Cancel() override;
};

}  // namespace ceflib
