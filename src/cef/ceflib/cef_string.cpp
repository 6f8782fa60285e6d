#include "ceflib/cef_string.h"

#include "ceflib/cef_entry_points.h"

namespace ceflib {

cef_string_t CefStringView(const ustring& text) noexcept {
  // c_str() of an empty text still points at its terminating zero.
  return cef_string_t{const_cast<char16*>(text.c_str()), text.size(), nullptr};
}

ustring CefStringRead(const cef_string_t* record) {
  if (!record || record->length == 0 || !record->str) return ustring();
  return ustring(record->str, record->length);
}

cef_string_t CefStringCopyOf(const ustring& text) {
  cef_string_t record{};
  if (!text.empty()) cef_string_from_wide(text.data(), text.size(), &record);
  return record;
}

void CefStringAssign(cef_string_t* record, const ustring& text) {
  if (record) cef_string_set(text.c_str(), text.size(), record, 1);
}

ustring CefStringTakeAndClear(cef_string_t* record) {
  if (!record) return ustring();
  struct TClear {
    cef_string_t* FRecord;
    ~TClear() { cef_string_clear(FRecord); }
  } clear{record};
  return CefStringRead(record);
}

ustring CefStringTakeUserFree(cef_string_userfree_t text) {
  if (!text) return ustring();
  struct TFree {
    cef_string_userfree_t FText;
    ~TFree() { cef_string_userfree_free(FText); }
  } free{text};
  return CefStringRead(text);
}

}  // namespace ceflib
