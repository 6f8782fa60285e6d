#pragma once
// The runtime's request object: what a load asks for. Handed to the request handler and to
// resource handlers; the program may change it until the runtime marks it read-only.

#include "runtime_object.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace standin {

using THeaderList = std::vector<std::pair<std::wstring, std::wstring>>;

class TRequest final : public TRuntimeStruct<TRequest, cef_request_t> {
 public:
  TRequest();
  ~TRequest() override;

  std::wstring Url() const;
  void SetUrl(std::wstring url);
  THeaderList Headers() const;
  void SetReadOnly(bool read_only);
  void SetResourceType(cef_resource_type_t type, cef_transition_type_t transition);

 private:
  static int CEF_CALLBACK IsReadOnly(cef_request_t* self);
  static cef_string_userfree_t CEF_CALLBACK GetUrl(cef_request_t* self);
  static void CEF_CALLBACK SetUrlMember(cef_request_t* self, const cef_string_t* url);
  static cef_string_userfree_t CEF_CALLBACK GetMethod(cef_request_t* self);
  static void CEF_CALLBACK SetMethod(cef_request_t* self, const cef_string_t* method);
  static cef_post_data_t* CEF_CALLBACK GetPostData(cef_request_t* self);
  static void CEF_CALLBACK SetPostData(cef_request_t* self, cef_post_data_t* post_data);
  static void CEF_CALLBACK GetHeaderMap(cef_request_t* self, cef_string_multimap_t map);
  static void CEF_CALLBACK SetHeaderMap(cef_request_t* self, cef_string_multimap_t map);
  static void CEF_CALLBACK Set(cef_request_t* self, const cef_string_t* url, const cef_string_t* method,
                               cef_post_data_t* post_data, cef_string_multimap_t map);
  static int CEF_CALLBACK GetFlags(cef_request_t* self);
  static void CEF_CALLBACK SetFlags(cef_request_t* self, int flags);
  static cef_string_userfree_t CEF_CALLBACK GetFirstParty(cef_request_t* self);
  static void CEF_CALLBACK SetFirstParty(cef_request_t* self, const cef_string_t* url);
  static cef_resource_type_t CEF_CALLBACK GetResourceType(cef_request_t* self);
  static cef_transition_type_t CEF_CALLBACK GetTransitionType(cef_request_t* self);
  static uint64 CEF_CALLBACK GetIdentifier(cef_request_t* self);

  mutable std::mutex FLock;
  bool FReadOnly = false;
  std::wstring FUrl;
  std::wstring FMethod = L"GET";
  std::wstring FFirstParty;
  THeaderList FHeaders;
  cef_post_data_t* FPostData = nullptr;  // held: one reference of ours
  int FFlags = 0;
  cef_resource_type_t FResourceType = RT_MAIN_FRAME;
  cef_transition_type_t FTransition = TT_EXPLICIT;
  uint64_t FIdentifier;
};

// Header lists to and from the runtime's multimaps.
THeaderList ReadHeaderMap(cef_string_multimap_t map);
void WriteHeaderMap(const THeaderList& headers, cef_string_multimap_t map);

}  // namespace standin
