#include "request.h"

#include "held_ref.h"
#include "string_record.h"
#include "string_view_record.h"

#include <atomic>

namespace standin {

namespace {

std::atomic<uint64_t> g_next_request_id{1};

TRequest* Self(cef_request_t* self) { return TRequest::From(self); }

// Releases a post-data object we hold (kept outside the object accounting's program side,
// since a request owns it for as long as the request lives).
void ReleasePostData(cef_post_data_t* data) {
  if (data) data->base.release(&data->base);
}

}  // namespace

THeaderList ReadHeaderMap(cef_string_multimap_t map) {
  THeaderList headers;
  if (!map) return headers;
  int size = cef_string_multimap_size(map);
  for (int i = 0; i < size; ++i) {
    cef_string_t key = {}, value = {};
    cef_string_multimap_key(map, i, &key);
    cef_string_multimap_value(map, i, &value);
    headers.emplace_back(Read(&key), Read(&value));
    cef_string_utf16_clear(&key);
    cef_string_utf16_clear(&value);
  }
  return headers;
}

void WriteHeaderMap(const THeaderList& headers, cef_string_multimap_t map) {
  if (!map) return;
  for (const auto& [key, value] : headers) {
    cef_string_t k = ViewOf(key);
    cef_string_t v = ViewOf(value);
    cef_string_multimap_append(map, &k, &v);
  }
}

TRequest::TRequest() : TRuntimeStruct("request"), FIdentifier(g_next_request_id++) {
  cef_request_t& m = Members();
  m.is_read_only = &IsReadOnly;
  m.get_url = &GetUrl;
  m.set_url = &SetUrlMember;
  m.get_method = &GetMethod;
  m.set_method = &SetMethod;
  m.get_post_data = &GetPostData;
  m.set_post_data = &SetPostData;
  m.get_header_map = &GetHeaderMap;
  m.set_header_map = &SetHeaderMap;
  m.set = &Set;
  m.get_flags = &GetFlags;
  m.set_flags = &SetFlags;
  m.get_first_party_for_cookies = &GetFirstParty;
  m.set_first_party_for_cookies = &SetFirstParty;
  m.get_resource_type = &GetResourceType;
  m.get_transition_type = &GetTransitionType;
  m.get_identifier = &GetIdentifier;
}

TRequest::~TRequest() { ReleasePostData(FPostData); }

std::wstring TRequest::Url() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FUrl;
}

void TRequest::SetUrl(std::wstring url) {
  std::lock_guard<std::mutex> lock(FLock);
  FUrl = std::move(url);
}

THeaderList TRequest::Headers() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FHeaders;
}

void TRequest::SetReadOnly(bool read_only) {
  std::lock_guard<std::mutex> lock(FLock);
  FReadOnly = read_only;
}

void TRequest::SetResourceType(cef_resource_type_t type, cef_transition_type_t transition) {
  std::lock_guard<std::mutex> lock(FLock);
  FResourceType = type;
  FTransition = transition;
}

int CEF_CALLBACK TRequest::IsReadOnly(cef_request_t* self) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  return Self(self)->FReadOnly ? 1 : 0;
}

cef_string_userfree_t CEF_CALLBACK TRequest::GetUrl(cef_request_t* self) { return UserFreeResult(Self(self)->Url()); }

void CEF_CALLBACK TRequest::SetUrlMember(cef_request_t* self, const cef_string_t* url) {
  TRequest* r = Self(self);
  std::lock_guard<std::mutex> lock(r->FLock);
  if (!r->FReadOnly) r->FUrl = Read(url);
}

cef_string_userfree_t CEF_CALLBACK TRequest::GetMethod(cef_request_t* self) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  return UserFreeResult(Self(self)->FMethod);
}

void CEF_CALLBACK TRequest::SetMethod(cef_request_t* self, const cef_string_t* method) {
  TRequest* r = Self(self);
  std::lock_guard<std::mutex> lock(r->FLock);
  if (!r->FReadOnly) r->FMethod = Read(method);
}

cef_post_data_t* CEF_CALLBACK TRequest::GetPostData(cef_request_t* self) {
  TRequest* r = Self(self);
  std::lock_guard<std::mutex> lock(r->FLock);
  if (r->FPostData) r->FPostData->base.add_ref(&r->FPostData->base);
  return r->FPostData;
}

void CEF_CALLBACK TRequest::SetPostData(cef_request_t* self, cef_post_data_t* post_data) {
  TRequest* r = Self(self);
  std::unique_lock<std::mutex> lock(r->FLock);
  if (r->FReadOnly) {
    lock.unlock();
    ReleasePostData(post_data);
    return;
  }
  cef_post_data_t* old = std::exchange(r->FPostData, post_data);
  lock.unlock();
  ReleasePostData(old);
}

void CEF_CALLBACK TRequest::GetHeaderMap(cef_request_t* self, cef_string_multimap_t map) {
  WriteHeaderMap(Self(self)->Headers(), map);
}

void CEF_CALLBACK TRequest::SetHeaderMap(cef_request_t* self, cef_string_multimap_t map) {
  THeaderList headers = ReadHeaderMap(map);
  TRequest* r = Self(self);
  std::lock_guard<std::mutex> lock(r->FLock);
  if (!r->FReadOnly) r->FHeaders = std::move(headers);
}

void CEF_CALLBACK TRequest::Set(cef_request_t* self, const cef_string_t* url, const cef_string_t* method,
                                cef_post_data_t* post_data, cef_string_multimap_t map) {
  SetUrlMember(self, url);
  SetMethod(self, method);
  SetPostData(self, post_data);
  SetHeaderMap(self, map);
}

int CEF_CALLBACK TRequest::GetFlags(cef_request_t* self) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  return Self(self)->FFlags;
}

void CEF_CALLBACK TRequest::SetFlags(cef_request_t* self, int flags) {
  TRequest* r = Self(self);
  std::lock_guard<std::mutex> lock(r->FLock);
  if (!r->FReadOnly) r->FFlags = flags;
}

cef_string_userfree_t CEF_CALLBACK TRequest::GetFirstParty(cef_request_t* self) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  return UserFreeResult(Self(self)->FFirstParty);
}

void CEF_CALLBACK TRequest::SetFirstParty(cef_request_t* self, const cef_string_t* url) {
  TRequest* r = Self(self);
  std::lock_guard<std::mutex> lock(r->FLock);
  if (!r->FReadOnly) r->FFirstParty = Read(url);
}

cef_resource_type_t CEF_CALLBACK TRequest::GetResourceType(cef_request_t* self) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  return Self(self)->FResourceType;
}

cef_transition_type_t CEF_CALLBACK TRequest::GetTransitionType(cef_request_t* self) {
  std::lock_guard<std::mutex> lock(Self(self)->FLock);
  return Self(self)->FTransition;
}

uint64 CEF_CALLBACK TRequest::GetIdentifier(cef_request_t* self) { return Self(self)->FIdentifier; }

}  // namespace standin
