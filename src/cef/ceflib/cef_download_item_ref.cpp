// TCefDownLoadItemRef: ICefDownloadItem over cef_download_item_t, one line per member.

#include "ceflib/cef_download_item.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_time.h"

namespace ceflib {
namespace {

using D = cef_download_item_t;

class TCefDownLoadItemRef final : public TCefRefOf<TCefDownLoadItemRef, ICefDownloadItem, D> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&D::is_valid); }
  bool IsInProgress() override { return Call(&D::is_in_progress); }
  bool IsComplete() override { return Call(&D::is_complete); }
  bool IsCanceled() override { return Call(&D::is_canceled); }
  int64_t GetCurrentSpeed() override { return Call(&D::get_current_speed); }
  int GetPercentComplete() override { return Call(&D::get_percent_complete); }
  int64_t GetTotalBytes() override { return Call(&D::get_total_bytes); }
  int64_t GetReceivedBytes() override { return Call(&D::get_received_bytes); }
  TDateTime GetStartTime() override { return CefTimeToLocalDateTime(Call(&D::get_start_time)); }
  TDateTime GetEndTime() override { return CefTimeToLocalDateTime(Call(&D::get_end_time)); }
  ustring GetFullPath() override { return Call(&D::get_full_path); }
  uint32_t GetId() override { return Call(&D::get_id); }
  ustring GetUrl() override { return Call(&D::get_url); }
  ustring GetOriginalUrl() override { return Call(&D::get_original_url); }
  ustring GetSuggestedFileName() override { return Call(&D::get_suggested_file_name); }
  ustring GetContentDisposition() override { return Call(&D::get_content_disposition); }
  ustring GetMimeType() override { return Call(&D::get_mime_type); }
};

}  // namespace

RefPtr<ICefDownloadItem> ICefDownloadItem::UnWrap(void* data) { return TCefDownLoadItemRef::UnWrap(data); }

}  // namespace ceflib
