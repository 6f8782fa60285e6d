// TCefRequestRef, TCefPostDataRef and TCefPostDataElementRef: ICefRequest over cef_request_t,
// ICefPostData over cef_post_data_t and ICefPostDataElement over cef_post_data_element_t, one
// line per member.

#include <algorithm>
#include <utility>
#include <vector>

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_string_map.h"

namespace ceflib {
namespace {

using R = cef_request_t;

class TCefRequestRef final : public TCefRefOf<TCefRequestRef, ICefRequest, R> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsReadOnly() override { return Call(&R::is_read_only); }
  ustring GetUrl() override { return Call(&R::get_url); }
  void SetUrl(const ustring& url) override { Call(&R::set_url, url); }
  ustring GetMethod() override { return Call(&R::get_method); }
  void SetMethod(const ustring& method) override { Call(&R::set_method, method); }
  RefPtr<ICefPostData> GetPostData() override { return Call(&R::get_post_data); }
  void SetPostData(const RefPtr<ICefPostData>& postData) override {
    if (postData) Call(&R::set_post_data, postData);
  }
  void GetHeaderMap(ICefStringMultimap& headerMap) override { Call(&R::get_header_map, headerMap); }
  void SetHeaderMap(const ICefStringMultimap& headerMap) override { Call(&R::set_header_map, headerMap); }
  void Set(const ustring& url, const ustring& method, const RefPtr<ICefPostData>& postData,
           const ICefStringMultimap& headerMap) override {
    Call(&R::set, url, method, postData, headerMap);
  }
  int GetFlags() override { return Call(&R::get_flags); }
  void SetFlags(int flags) override { Call(&R::set_flags, flags); }
  ustring GetFirstPartyForCookies() override { return Call(&R::get_first_party_for_cookies); }
  void SetFirstPartyForCookies(const ustring& url) override { Call(&R::set_first_party_for_cookies, url); }
  cef_resource_type_t GetResourceType() override { return Call(&R::get_resource_type); }
  cef_transition_type_t GetTransitionType() override { return Call(&R::get_transition_type); }
  uint64_t GetIdentifier() override { return Call(&R::get_identifier); }
};

using P = cef_post_data_t;

class TCefPostDataRef final : public TCefRefOf<TCefPostDataRef, ICefPostData, P> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsReadOnly() override { return Call(&P::is_read_only); }
  size_t GetElementCount() override { return Call(&P::get_element_count); }
  TCefPostDataElementArray GetElements(size_t elementsCount) override;
  bool RemoveElement(const RefPtr<ICefPostDataElement>& element) override { return Call(&P::remove_element, element); }
  bool AddElement(const RefPtr<ICefPostDataElement>& element) override { return Call(&P::add_element, element); }
  void RemoveElements() override { Call(&P::remove_elements); }
};

// The runtime stores up to elementsCount element pointers, each carrying a reference for us,
// and lowers the count to the number it stored. Ownership moves slot by slot, so a failure
// part-way leaves no reference behind.
TCefPostDataElementArray TCefPostDataRef::GetElements(size_t elementsCount) {
  std::vector<cef_post_data_element_t*> slots(elementsCount, nullptr);
  size_t count = elementsCount;
  Call(&P::get_elements, &count, slots.data());
  TCefPostDataElementArray elements;
  elements.reserve(std::min(count, elementsCount));
  for (size_t i = 0; i < elementsCount; ++i) {
    TCefStructResult<cef_post_data_element_t> element(std::exchange(slots[i], nullptr));
    if (i < count) elements.push_back(std::move(element));
  }
  return elements;
}

using E = cef_post_data_element_t;

class TCefPostDataElementRef final : public TCefRefOf<TCefPostDataElementRef, ICefPostDataElement, E> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsReadOnly() override { return Call(&E::is_read_only); }
  void SetToEmpty() override { Call(&E::set_to_empty); }
  void SetToFile(const ustring& fileName) override { Call(&E::set_to_file, fileName); }
  void SetToBytes(size_t size, const void* bytes) override { Call(&E::set_to_bytes, size, bytes); }
  cef_postdataelement_type_t GetType() override { return Call(&E::get_type); }
  ustring GetFile() override { return Call(&E::get_file); }
  size_t GetBytesCount() override { return Call(&E::get_bytes_count); }
  size_t GetBytes(size_t size, void* bytes) override { return Call(&E::get_bytes, size, bytes); }
};

}  // namespace

RefPtr<ICefRequest> ICefRequest::UnWrap(void* data) { return TCefRequestRef::UnWrap(data); }
RefPtr<ICefRequest> ICefRequest::New() { return CefInvoke(cef_request_create); }

RefPtr<ICefPostData> ICefPostData::UnWrap(void* data) { return TCefPostDataRef::UnWrap(data); }
RefPtr<ICefPostData> ICefPostData::New() { return CefInvoke(cef_post_data_create); }

RefPtr<ICefPostDataElement> ICefPostDataElement::UnWrap(void* data) { return TCefPostDataElementRef::UnWrap(data); }
RefPtr<ICefPostDataElement> ICefPostDataElement::New() { return CefInvoke(cef_post_data_element_create); }

}  // namespace ceflib
