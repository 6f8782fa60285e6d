#include "download_item.h"

#include "string_record.h"

namespace standin {

TDownloadItem::TDownloadItem(TDownloadState state) : TRuntimeStruct("download_item"), FState(std::move(state)) {
  cef_download_item_t& m = Members();
  m.is_valid = &IsValid;
  m.is_in_progress = &IsInProgress;
  m.is_complete = &IsComplete;
  m.is_canceled = &IsCanceled;
  m.get_current_speed = &GetCurrentSpeed;
  m.get_percent_complete = &GetPercentComplete;
  m.get_total_bytes = &GetTotalBytes;
  m.get_received_bytes = &GetReceivedBytes;
  m.get_start_time = &GetTime;
  m.get_end_time = &GetTime;
  m.get_full_path = &GetFullPath;
  m.get_id = &GetId;
  m.get_url = &GetUrl;
  m.get_original_url = &GetUrl;
  m.get_suggested_file_name = &GetSuggestedFileName;
  m.get_content_disposition = &GetContentDisposition;
  m.get_mime_type = &GetMimeType;
}

int CEF_CALLBACK TDownloadItem::GetPercentComplete(cef_download_item_t* self) {
  const TDownloadState& s = S(self);
  if (s.total_bytes <= 0) return -1;
  return static_cast<int>(s.received_bytes * 100 / s.total_bytes);
}

cef_string_userfree_t CEF_CALLBACK TDownloadItem::GetFullPath(cef_download_item_t* self) {
  return UserFreeResult(S(self).full_path);
}
cef_string_userfree_t CEF_CALLBACK TDownloadItem::GetUrl(cef_download_item_t* self) { return UserFreeResult(S(self).url); }
cef_string_userfree_t CEF_CALLBACK TDownloadItem::GetSuggestedFileName(cef_download_item_t* self) {
  return UserFreeResult(S(self).suggested_name);
}
cef_string_userfree_t CEF_CALLBACK TDownloadItem::GetMimeType(cef_download_item_t* self) {
  return UserFreeResult(S(self).mime_type);
}

}  // namespace standin
