#pragma once
// The download handler family (cef_download_handler_t and the callbacks it receives): the
// handler is ours, handed to the runtime by a client; the callbacks are runtime objects reached
// through their wrappers.

#include "ceflib/cef_download_item.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefBeforeDownloadCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefBeforeDownloadCallback> UnWrap(void* data);

  virtual void Cont(const ustring& downloadPath, bool showDialog) = 0;
};

class ICefDownloadItemCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefDownloadItemCallback> UnWrap(void* data);

  virtual void Cancel() = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
};

class ICefDownloadHandler : public virtual ICefBase {
 public:
  virtual void OnBeforeDownload(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDownloadItem>& downloadItem,
                                const ustring& suggestedName, const RefPtr<ICefBeforeDownloadCallback>& callback) = 0;
  virtual void OnDownloadUpdated(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDownloadItem>& downloadItem,
                                 const RefPtr<ICefDownloadItemCallback>& callback) = 0;
};

// Does nothing.
class TCefDownloadHandlerOwn : public TCefOwnOf<ICefDownloadHandler, cef_download_handler_t> {
 public:
  TCefDownloadHandlerOwn();
  void OnBeforeDownload(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDownloadItem>& downloadItem,
                        const ustring& suggestedName, const RefPtr<ICefBeforeDownloadCallback>& callback) override;
  void OnDownloadUpdated(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDownloadItem>& downloadItem,
                         const RefPtr<ICefDownloadItemCallback>& callback) override;
};

}  // namespace ceflib
