#pragma once
// Passing texts into the runtime and taking back what it returns, in the tests.

#include "runtime_library.h"

#include <string>

namespace standin_test {

// A borrowed record of a named text (the text must outlive the record).
inline cef_string_t In(const std::wstring& text) {
  return {const_cast<wchar_t*>(text.data()), text.size(), nullptr};
}

// A borrowed record of a literal, which lives for the whole run.
template <size_t N>
cef_string_t In(const wchar_t (&literal)[N]) {
  return {const_cast<wchar_t*>(literal), N - 1, nullptr};
}

// The text of a record the runtime filled; the record is cleared.
inline std::wstring Take(cef_string_t& s) {
  std::wstring text(s.str ? s.str : L"", s.length);
  CEF(cef_string_utf16_clear)(&s);
  return text;
}

// The text of a caller-freed result, freed; "<null>" when the runtime returned none.
inline std::wstring TakeUserFree(cef_string_userfree_t s) {
  if (!s) return L"<null>";
  std::wstring text(s->str ? s->str : L"", s->length);
  CEF(cef_string_userfree_utf16_free)(s);
  return text;
}

}  // namespace standin_test
