#include "response.h"

#include "string_record.h"
#include "utf.h"

namespace standin {

namespace {
TResponse* Self(cef_response_t* self) { return TResponse::From(self); }
}  // namespace

TResponse::TResponse() : TRuntimeStruct("response") {
  cef_response_t& m = Members();
  m.is_read_only = &IsReadOnly;
  m.get_status = &GetStatus;
  m.set_status = &SetStatus;
  m.get_status_text = &GetStatusText;
  m.set_status_text = &SetStatusText;
  m.get_mime_type = &GetMimeType;
  m.set_mime_type = &SetMimeType;
  m.get_header = &GetHeader;
  m.get_header_map = &GetHeaderMap;
  m.set_header_map = &SetHeaderMap;
}

int TResponse::Status() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FStatus;
}

std::wstring TResponse::StatusText() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FStatusText;
}

std::wstring TResponse::MimeType() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FMimeType;
}

THeaderList TResponse::Headers() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FHeaders;
}

void TResponse::Fill(int status, std::wstring status_text, std::wstring mime_type, THeaderList headers) {
  std::lock_guard<std::mutex> lock(FLock);
  FStatus = status;
  FStatusText = std::move(status_text);
  FMimeType = std::move(mime_type);
  FHeaders = std::move(headers);
}

void TResponse::SetReadOnly(bool read_only) {
  std::lock_guard<std::mutex> lock(FLock);
  FReadOnly = read_only;
}

int CEF_CALLBACK TResponse::IsReadOnly(cef_response_t* self) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  return Self(self)->FReadOnly ? 1 : 0;
}

int CEF_CALLBACK TResponse::GetStatus(cef_response_t* self) { return Self(self)->Status(); }

void CEF_CALLBACK TResponse::SetStatus(cef_response_t* self, int status) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  if (!Self(self)->FReadOnly) Self(self)->FStatus = status;
}

cef_string_userfree_t CEF_CALLBACK TResponse::GetStatusText(cef_response_t* self) {
  return UserFreeResult(Self(self)->StatusText());
}

void CEF_CALLBACK TResponse::SetStatusText(cef_response_t* self, const cef_string_t* text) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  if (!Self(self)->FReadOnly) Self(self)->FStatusText = Read(text);
}

cef_string_userfree_t CEF_CALLBACK TResponse::GetMimeType(cef_response_t* self) {
  return UserFreeResult(Self(self)->MimeType());
}

void CEF_CALLBACK TResponse::SetMimeType(cef_response_t* self, const cef_string_t* mime_type) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  if (!Self(self)->FReadOnly) Self(self)->FMimeType = Read(mime_type);
}

cef_string_userfree_t CEF_CALLBACK TResponse::GetHeader(cef_response_t* self, const cef_string_t* name) {
  std::wstring wanted = AsciiLower(View(name));
  for (const auto& [key, value] : Self(self)->Headers())
    if (AsciiLower(key) == wanted) return UserFreeResult(value);
  return nullptr;
}

void CEF_CALLBACK TResponse::GetHeaderMap(cef_response_t* self, cef_string_multimap_t map) {
  WriteHeaderMap(Self(self)->Headers(), map);
}

void CEF_CALLBACK TResponse::SetHeaderMap(cef_response_t* self, cef_string_multimap_t map) {
  THeaderList headers = ReadHeaderMap(map);
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  if (!Self(self)->FReadOnly) Self(self)->FHeaders = std::move(headers);
}

}  // namespace standin
