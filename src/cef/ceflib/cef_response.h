#pragma once
// ICefResponse: a runtime response (cef_response_t), reached through its wrapper TCefResponseRef.

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefResponse : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefResponse> UnWrap(void* data);
  static RefPtr<ICefResponse> New();

  virtual bool IsReadOnly() = 0;
  virtual int GetStatus() = 0;
  virtual void SetStatus(int status) = 0;
  virtual ustring GetStatusText() = 0;
  virtual void SetStatusText(const ustring& statusText) = 0;
  virtual ustring GetMimeType() = 0;
  virtual void SetMimeType(const ustring& mimeType) = 0;
  virtual ustring GetHeader(const ustring& name) = 0;
  // The runtime fills headerMap.
  virtual void GetHeaderMap(ICefStringMultimap& headerMap) = 0;
  virtual void SetHeaderMap(const ICefStringMultimap& headerMap) = 0;
};

}  // namespace ceflib
