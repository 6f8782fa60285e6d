#pragma once
// A download as the program sees it: what the engine said of it when the runtime asked
// (address, suggested name, sizes, state). A snapshot, valid only during the call it is
// handed to, as the runtime's own download items are.

#include "runtime_object.h"

#include <cstdint>
#include <string>

namespace standin {

struct TDownloadState {
  uint32_t id = 0;
  std::wstring url;
  std::wstring suggested_name;
  std::wstring mime_type;
  std::wstring full_path;
  int64_t total_bytes = -1;
  int64_t received_bytes = 0;
  bool in_progress = true;
  bool complete = false;
  bool canceled = false;
};

class TDownloadItem final : public TRuntimeStruct<TDownloadItem, cef_download_item_t> {
 public:
  explicit TDownloadItem(TDownloadState state);

 private:
  static const TDownloadState& S(cef_download_item_t* self) { return From(self)->FState; }
  static int CEF_CALLBACK IsValid(cef_download_item_t*) { return 1; }
  static int CEF_CALLBACK IsInProgress(cef_download_item_t* self) { return S(self).in_progress; }
  static int CEF_CALLBACK IsComplete(cef_download_item_t* self) { return S(self).complete; }
  static int CEF_CALLBACK IsCanceled(cef_download_item_t* self) { return S(self).canceled; }
  static int64 CEF_CALLBACK GetCurrentSpeed(cef_download_item_t*) { return 0; }
  static int CEF_CALLBACK GetPercentComplete(cef_download_item_t* self);
  static int64 CEF_CALLBACK GetTotalBytes(cef_download_item_t* self) { return S(self).total_bytes; }
  static int64 CEF_CALLBACK GetReceivedBytes(cef_download_item_t* self) { return S(self).received_bytes; }
  static cef_time_t CEF_CALLBACK GetTime(cef_download_item_t*) { return {}; }
  static cef_string_userfree_t CEF_CALLBACK GetFullPath(cef_download_item_t* self);
  static uint32 CEF_CALLBACK GetId(cef_download_item_t* self) { return S(self).id; }
  static cef_string_userfree_t CEF_CALLBACK GetUrl(cef_download_item_t* self);
  static cef_string_userfree_t CEF_CALLBACK GetSuggestedFileName(cef_download_item_t* self);
  static cef_string_userfree_t CEF_CALLBACK GetContentDisposition(cef_download_item_t*) { return nullptr; }
  static cef_string_userfree_t CEF_CALLBACK GetMimeType(cef_download_item_t* self);

  const TDownloadState FState;
};

}  // namespace standin
