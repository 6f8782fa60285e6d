#pragma once
// The request handler family (cef_request_handler_t and cef_request_callback_t): the handler is
// ours, handed to the runtime by a client; the callback is a runtime object reached through its
// wrapper.

#include <cstdint>

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefRequestCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefRequestCallback> UnWrap(void* data);

  virtual void Cont(bool allow) = 0;
  virtual void Cancel() = 0;
};

class ICefRequestHandler : public virtual ICefBase {
 public:
  virtual bool OnBeforeBrowse(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                              const RefPtr<ICefRequest>& request, bool isRedirect) = 0;
  virtual bool OnOpenUrlfromTab(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                const ustring& targetUrl, cef_window_open_disposition_t targetDisposition,
                                bool userGesture) = 0;
  // The runtime's return value as it is: RV_CANCEL, RV_CONTINUE or RV_CONTINUE_ASYNC.
  virtual cef_return_value_t OnBeforeResourceLoad(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                                  const RefPtr<ICefRequest>& request,
                                                  const RefPtr<ICefRequestCallback>& callback) = 0;
  virtual RefPtr<ICefResourceHandler> GetResourceHandler(const RefPtr<ICefBrowser>& browser,
                                                         const RefPtr<ICefFrame>& frame,
                                                         const RefPtr<ICefRequest>& request) = 0;
  // newUrl starts as the runtime's new address and replaces it only when left non-empty.
  virtual void OnResourceRedirect(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                  const RefPtr<ICefRequest>& request, ustring& newUrl) = 0;
  virtual bool OnResourceResponse(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                  const RefPtr<ICefRequest>& request, const RefPtr<ICefResponse>& response) = 0;
  virtual bool GetAuthCredentials(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, bool isProxy,
                                  const ustring& host, int port, const ustring& realm, const ustring& scheme,
                                  const RefPtr<ICefAuthCallback>& callback) = 0;
  virtual bool OnQuotaRequest(const RefPtr<ICefBrowser>& browser, const ustring& originUrl, int64_t newSize,
                              const RefPtr<ICefRequestCallback>& callback) = 0;
  // allowOsExecution comes in as the runtime's value and goes back as the handler leaves it.
  virtual void OnProtocolExecution(const RefPtr<ICefBrowser>& browser, const ustring& url,
                                   bool& allowOsExecution) = 0;
  virtual bool OnCertificateError(const RefPtr<ICefBrowser>& browser, cef_errorcode_t certError,
                                  const ustring& requestUrl, const RefPtr<ICefSslInfo>& sslInfo,
                                  const RefPtr<ICefRequestCallback>& callback) = 0;
  virtual void OnPluginCrashed(const RefPtr<ICefBrowser>& browser, const ustring& pluginPath) = 0;
  virtual void OnRenderViewReady(const RefPtr<ICefBrowser>& browser) = 0;
  virtual void OnRenderProcessTerminated(const RefPtr<ICefBrowser>& browser, cef_termination_status_t status) = 0;
};

// Lets every request through unchanged: resource loads continue (RV_CONTINUE), no resource
// handler, the other truth-valued operations return false, the rest do nothing.
class TCefRequestHandlerOwn : public TCefOwnOf<ICefRequestHandler, cef_request_handler_t> {
 public:
  TCefRequestHandlerOwn();
  bool OnBeforeBrowse(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                      const RefPtr<ICefRequest>& request, bool isRedirect) override;
  bool OnOpenUrlfromTab(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, const ustring& targetUrl,
                        cef_window_open_disposition_t targetDisposition, bool userGesture) override;
  cef_return_value_t OnBeforeResourceLoad(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                          const RefPtr<ICefRequest>& request,
                                          const RefPtr<ICefRequestCallback>& callback) override;
  RefPtr<ICefResourceHandler> GetResourceHandler(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                                 const RefPtr<ICefRequest>& request) override;
  void OnResourceRedirect(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                          const RefPtr<ICefRequest>& request, ustring& newUrl) override;
  bool OnResourceResponse(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                          const RefPtr<ICefRequest>& request, const RefPtr<ICefResponse>& response) override;
  bool GetAuthCredentials(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, bool isProxy,
                          const ustring& host, int port, const ustring& realm, const ustring& scheme,
                          const RefPtr<ICefAuthCallback>& callback) override;
  bool OnQuotaRequest(const RefPtr<ICefBrowser>& browser, const ustring& originUrl, int64_t newSize,
                      const RefPtr<ICefRequestCallback>& callback) override;
  void OnProtocolExecution(const RefPtr<ICefBrowser>& browser, const ustring& url, bool& allowOsExecution) override;
  bool OnCertificateError(const RefPtr<ICefBrowser>& browser, cef_errorcode_t certError, const ustring& requestUrl,
                          const RefPtr<ICefSslInfo>& sslInfo, const RefPtr<ICefRequestCallback>& callback) override;
  void OnPluginCrashed(const RefPtr<ICefBrowser>& browser, const ustring& pluginPath) override;
  void OnRenderViewReady(const RefPtr<ICefBrowser>& browser) override;
  void OnRenderProcessTerminated(const RefPtr<ICefBrowser>& browser, cef_termination_status_t status) override;
};

}  // namespace ceflib
