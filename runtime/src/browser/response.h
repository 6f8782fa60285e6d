#pragma once
// The runtime's response object: status, status text, MIME type and headers of a load.

#include "request.h"
#include "runtime_object.h"

#include <mutex>
#include <string>

namespace standin {

class TResponse final : public TRuntimeStruct<TResponse, cef_response_t> {
 public:
  TResponse();

  int Status() const;
  std::wstring StatusText() const;
  std::wstring MimeType() const;
  THeaderList Headers() const;
  void Fill(int status, std::wstring status_text, std::wstring mime_type, THeaderList headers);
  void SetReadOnly(bool read_only);

 private:
  static int CEF_CALLBACK IsReadOnly(cef_response_t* self);
  static int CEF_CALLBACK GetStatus(cef_response_t* self);
  static void CEF_CALLBACK SetStatus(cef_response_t* self, int status);
  static cef_string_userfree_t CEF_CALLBACK GetStatusText(cef_response_t* self);
  static void CEF_CALLBACK SetStatusText(cef_response_t* self, const cef_string_t* text);
  static cef_string_userfree_t CEF_CALLBACK GetMimeType(cef_response_t* self);
  static void CEF_CALLBACK SetMimeType(cef_response_t* self, const cef_string_t* mime_type);
  static cef_string_userfree_t CEF_CALLBACK GetHeader(cef_response_t* self, const cef_string_t* name);
  static void CEF_CALLBACK GetHeaderMap(cef_response_t* self, cef_string_multimap_t map);
  static void CEF_CALLBACK SetHeaderMap(cef_response_t* self, cef_string_multimap_t map);

  mutable std::mutex FLock;
  bool FReadOnly = false;
  int FStatus = 0;
  std::wstring FStatusText;
  std::wstring FMimeType;
  THeaderList FHeaders;
};

}  // namespace standin
