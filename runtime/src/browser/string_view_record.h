#pragma once
// A string record that borrows a text for the length of one call (no dtor: the receiver
// copies what it keeps).

#include <cef_capi.h>

#include <string_view>

namespace standin {

inline cef_string_t ViewOf(std::wstring_view text) {
  static wchar_t empty = 0;
  return cef_string_t{text.empty() ? &empty : const_cast<wchar_t*>(text.data()), text.size(), nullptr};
}

}  // namespace standin
