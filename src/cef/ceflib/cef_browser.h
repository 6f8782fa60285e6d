#pragma once
// ICefBrowser: a runtime browser (cef_browser_t), reached through its wrapper TCefBrowserRef.

#include <cstdint>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefBrowser : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefBrowser> UnWrap(void* data);

  virtual bool CanGoBack() = 0;
  virtual void GoBack() = 0;
  virtual bool CanGoForward() = 0;
  virtual void GoForward() = 0;
  virtual bool IsLoading() = 0;
  virtual void Reload() = 0;
  virtual void ReloadIgnoreCache() = 0;
  virtual void StopLoad() = 0;
  virtual int GetIdentifier() = 0;
  virtual bool IsSame(const RefPtr<ICefBrowser>& that) = 0;
  virtual bool IsPopup() = 0;
  virtual bool HasDocument() = 0;
  virtual RefPtr<ICefFrame> GetMainFrame() = 0;
  virtual RefPtr<ICefFrame> GetFocusedFrame() = 0;
  virtual RefPtr<ICefFrame> GetFrameByident(int64_t identifier) = 0;
  virtual RefPtr<ICefFrame> GetFrame(const ustring& name) = 0;
  virtual size_t GetFrameCount() = 0;
  // Appends the names of every frame to names.
  virtual void GetFrameNames(ustringlist& names) = 0;
};

}  // namespace ceflib
