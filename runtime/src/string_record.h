#pragma once
// The runtime's own use of its string records: reading what a caller passed, and writing
// runtime-owned copies that the receiver frees through the record's dtor.

#include <cef_capi.h>

#include <string>
#include <string_view>

namespace standin {

// The characters of a record the caller passed in; null gives the empty text.
std::wstring Read(const cef_string_t* s);
std::wstring_view View(const cef_string_t* s);

// Clears the record and stores a runtime-owned copy of the text; a null record is ignored.
void Assign(cef_string_t* out, std::wstring_view text);

// A caller-freed string holding a copy of the text (never null).
cef_string_userfree_t NewUserFree(std::wstring_view text);

// What the runtime returns as a caller-freed result: null for the empty text, as the real
// runtime does, otherwise a copy.
cef_string_userfree_t UserFreeResult(std::wstring_view text);

}  // namespace standin
