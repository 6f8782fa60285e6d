#pragma once
// ICefRequest: a runtime request (cef_request_t), reached through its wrapper TCefRequestRef.

#include <cstdint>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefRequest : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefRequest> UnWrap(void* data);

  virtual bool IsReadOnly() = 0;
  virtual ustring GetUrl() = 0;
  virtual ustring GetMethod() = 0;
  virtual void SetUrl(const ustring& url) = 0;
  virtual void SetMethod(const ustring& method) = 0;
  virtual int GetFlags() = 0;
  virtual void SetFlags(int flags) = 0;
  virtual ustring GetFirstPartyForCookies() = 0;
  virtual void SetFirstPartyForCookies(const ustring& url) = 0;
  virtual uint64_t GetIdentifier() = 0;
};

}  // namespace ceflib
