#pragma once
// ICefDownloadItem: a download's state (cef_download_item_t), reached through its wrapper
// TCefDownLoadItemRef. Times are local.

#include <cstdint>

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefDownloadItem : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefDownloadItem> UnWrap(void* data);

  virtual bool IsValid() = 0;
  virtual bool IsInProgress() = 0;
  virtual bool IsComplete() = 0;
  virtual bool IsCanceled() = 0;
  virtual int64_t GetCurrentSpeed() = 0;
  virtual int GetPercentComplete() = 0;
  virtual int64_t GetTotalBytes() = 0;
  virtual int64_t GetReceivedBytes() = 0;
  // Raise EConvertError when the runtime's value is not a calendar date and time.
  virtual TDateTime GetStartTime() = 0;
  virtual TDateTime GetEndTime() = 0;
  virtual ustring GetFullPath() = 0;
  virtual uint32_t GetId() = 0;
  virtual ustring GetUrl() = 0;
  virtual ustring GetOriginalUrl() = 0;
  virtual ustring GetSuggestedFileName() = 0;
  virtual ustring GetContentDisposition() = 0;
  virtual ustring GetMimeType() = 0;
};

}  // namespace ceflib
