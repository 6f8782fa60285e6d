#pragma once
// ICefNavigationEntry: one entry of a browser's history (cef_navigation_entry_t), reached
// through its wrapper TCefNavigationEntryRef.

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefNavigationEntry : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefNavigationEntry> UnWrap(void* data);

  virtual bool IsValid() = 0;
  virtual ustring GetUrl() = 0;
  virtual ustring GetDisplayUrl() = 0;
  virtual ustring GetOriginalUrl() = 0;
  virtual ustring GetTitle() = 0;
  virtual cef_transition_type_t GetTransitionType() = 0;
  virtual bool HasPostData() = 0;
  // Local time. Raises EConvertError when the runtime's value is not a calendar date and time.
  virtual TDateTime GetCompletionTime() = 0;
  virtual int GetHttpStatusCode() = 0;
};

}  // namespace ceflib
