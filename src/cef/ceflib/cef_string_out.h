#pragma once
// Strings a callee fills (cef_string_t* parameters of callbacks): the handler gets a native
// variable through Value(); Commit() writes it back once the handler has returned normally.

#include "ceflib/cef_string.h"

namespace ceflib {

// The handler's variable starts as the record's text; only a non-empty result replaces the
// record, so an emptied variable leaves the runtime's value as it was.
class TCefStringReplaceWhenGiven {
 public:
  explicit TCefStringReplaceWhenGiven(cef_string_t* record)
      : FRecord(record), FValue(CefStringRead(record)) {}
  ustring& Value() noexcept { return FValue; }
  void Commit() {
    if (!FValue.empty()) CefStringAssign(FRecord, FValue);
  }

 private:
  cef_string_t* FRecord;
  ustring FValue;
};

// The record is read and cleared at once; afterwards it always receives the handler's result
// (an empty result leaves a zero record).
class TCefStringReplaceAlways {
 public:
  explicit TCefStringReplaceAlways(cef_string_t* record)
      : FRecord(record), FValue(CefStringTakeAndClear(record)) {}
  ustring& Value() noexcept { return FValue; }
  void Commit() {
    if (FRecord) *FRecord = CefStringCopyOf(FValue);
  }

 private:
  cef_string_t* FRecord;
  ustring FValue;
};

}  // namespace ceflib
