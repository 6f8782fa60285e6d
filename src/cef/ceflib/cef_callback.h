#pragma once
// ICefCallback: the runtime's continuation of an asynchronous operation (cef_callback_t),
// reached through its wrapper TCefCallbackRef.

#include "ceflib/cef_base.h"

namespace ceflib {

class ICefCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefCallback> UnWrap(void* data);

  virtual void Cont() = 0;
  virtual void Cancel() = 0;
};

}  // namespace ceflib
