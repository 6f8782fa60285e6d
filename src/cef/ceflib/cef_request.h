#pragma once
// The request family (cef_request_t, cef_post_data_t, cef_post_data_element_t): runtime
// objects reached through their wrappers; New makes an empty one through the runtime.

#include <cstdint>
#include <vector>

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefRequest : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefRequest> UnWrap(void* data);
  static RefPtr<ICefRequest> New();

  virtual bool IsReadOnly() = 0;
  virtual ustring GetUrl() = 0;
  virtual void SetUrl(const ustring& url) = 0;
  virtual ustring GetMethod() = 0;
  virtual void SetMethod(const ustring& method) = 0;
  virtual RefPtr<ICefPostData> GetPostData() = 0;
  // Nil leaves the request's post data as it is (the runtime is not called).
  virtual void SetPostData(const RefPtr<ICefPostData>& postData) = 0;
  // The runtime fills headerMap.
  virtual void GetHeaderMap(ICefStringMultimap& headerMap) = 0;
  virtual void SetHeaderMap(const ICefStringMultimap& headerMap) = 0;
  virtual void Set(const ustring& url, const ustring& method, const RefPtr<ICefPostData>& postData,
                   const ICefStringMultimap& headerMap) = 0;
  virtual int GetFlags() = 0;
  virtual void SetFlags(int flags) = 0;
  virtual ustring GetFirstPartyForCookies() = 0;
  virtual void SetFirstPartyForCookies(const ustring& url) = 0;
  virtual cef_resource_type_t GetResourceType() = 0;
  virtual cef_transition_type_t GetTransitionType() = 0;
  virtual uint64_t GetIdentifier() = 0;
};

using TCefPostDataElementArray = std::vector<RefPtr<ICefPostDataElement>>;

class ICefPostData : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefPostData> UnWrap(void* data);
  static RefPtr<ICefPostData> New();

  virtual bool IsReadOnly() = 0;
  virtual size_t GetElementCount() = 0;
  // Up to elementsCount elements, as many as the runtime gives.
  virtual TCefPostDataElementArray GetElements(size_t elementsCount) = 0;
  virtual bool RemoveElement(const RefPtr<ICefPostDataElement>& element) = 0;
  virtual bool AddElement(const RefPtr<ICefPostDataElement>& element) = 0;
  virtual void RemoveElements() = 0;
};

class ICefPostDataElement : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefPostDataElement> UnWrap(void* data);
  static RefPtr<ICefPostDataElement> New();

  virtual bool IsReadOnly() = 0;
  virtual void SetToEmpty() = 0;
  virtual void SetToFile(const ustring& fileName) = 0;
  virtual void SetToBytes(size_t size, const void* bytes) = 0;
  virtual cef_postdataelement_type_t GetType() = 0;
  virtual ustring GetFile() = 0;
  virtual size_t GetBytesCount() = 0;
  // Copies up to size bytes into bytes; returns the number copied.
  virtual size_t GetBytes(size_t size, void* bytes) = 0;
};

}  // namespace ceflib
