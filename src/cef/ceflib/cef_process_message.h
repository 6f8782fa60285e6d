#pragma once
// ICefProcessMessage: a message between the runtime's processes (cef_process_message_t),
// reached through its wrapper TCefProcessMessageRef. New makes one through the runtime.

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefProcessMessage : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefProcessMessage> UnWrap(void* data);
  static RefPtr<ICefProcessMessage> New(const ustring& name);

  virtual bool IsValid() = 0;
  virtual bool IsReadOnly() = 0;
  virtual RefPtr<ICefProcessMessage> Copy() = 0;
  virtual ustring GetName() = 0;
  virtual RefPtr<ICefListValue> GetArgumentList() = 0;
};

}  // namespace ceflib
