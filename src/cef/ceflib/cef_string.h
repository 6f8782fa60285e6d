#pragma once
// Text crossing the runtime boundary. Who frees what:
//  - CefStringView borrows the text (no copy, nothing to free); the runtime copies what it keeps.
//  - CefStringRead copies a record the runtime lends us; the record is left alone.
//  - CefStringCopyOf makes a record that owns a runtime buffer; its receiver clears it.
//  - CefStringTakeAndClear and CefStringTakeUserFree copy, then free the runtime's string.

#include <cef_capi.h>

#include "ceflib/cef_types.h"

namespace ceflib {

// A record over text's own code units (an empty text gives a pointer to an empty
// zero-terminated buffer, never null), its length and no destructor. Valid while text lives
// unchanged.
cef_string_t CefStringView(const ustring& text) noexcept;
cef_string_t CefStringView(ustring&&) = delete;  // would borrow a temporary

// A native copy of length units of record; null (or length 0) gives the empty text.
ustring CefStringRead(const cef_string_t* record);

// A zeroed record that, for a non-empty text, owns a runtime copy of it.
cef_string_t CefStringCopyOf(const ustring& text);

// Stores a runtime-owned copy of text into record (the runtime frees the old content);
// a null record does nothing.
void CefStringAssign(cef_string_t* record, const ustring& text);

// The record's text; then the record is cleared through the runtime.
ustring CefStringTakeAndClear(cef_string_t* record);

// The text of a caller-freed runtime string, which is then freed; null gives the empty text
// and no runtime call.
ustring CefStringTakeUserFree(cef_string_userfree_t text);

}  // namespace ceflib
