#pragma once
// ICefAuthCallback: the runtime's continuation of a request for credentials
// (cef_auth_callback_t), reached through its wrapper TCefAuthCallbackRef.

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefAuthCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefAuthCallback> UnWrap(void* data);

  virtual void Cont(const ustring& username, const ustring& password) = 0;
  virtual void Cancel() = 0;
};

}  // namespace ceflib
