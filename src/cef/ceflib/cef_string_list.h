#pragma once
// The runtime's string lists. A list handle lives only for one call and is freed on every exit
// path, also when the call raises.

#include <cef_capi.h>

#include "ceflib/cef_types.h"

namespace ceflib {

// Appends every value of a runtime list to texts (texts is not emptied first).
void CefStringListAppendTo(cef_string_list_t list, ustringlist& texts);

// A runtime list the callee fills: alloc in the constructor, free in the destructor;
// AppendTo copies the values out.
class TCefStringListFilled {
 public:
  TCefStringListFilled();
  ~TCefStringListFilled();
  TCefStringListFilled(const TCefStringListFilled&) = delete;
  TCefStringListFilled& operator=(const TCefStringListFilled&) = delete;

  cef_string_list_t Handle() const noexcept { return FList; }
  void AppendTo(ustringlist& texts) const { CefStringListAppendTo(FList, texts); }

 private:
  cef_string_list_t FList;
};

// A runtime list holding copies of texts, for a callee that reads it.
class TCefStringListGiven {
 public:
  explicit TCefStringListGiven(const ustringlist& texts);
  ~TCefStringListGiven();
  TCefStringListGiven(const TCefStringListGiven&) = delete;
  TCefStringListGiven& operator=(const TCefStringListGiven&) = delete;

  cef_string_list_t Handle() const noexcept { return FList; }

 private:
  cef_string_list_t FList;
};

}  // namespace ceflib
