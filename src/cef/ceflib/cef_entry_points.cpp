#include "ceflib/cef_entry_points.h"

namespace ceflib {

#define CEFLIB_DEFINE_ENTRY_POINT(name) decltype(&::name) name = nullptr;
CEFLIB_ENTRY_POINTS(CEFLIB_DEFINE_ENTRY_POINT)
#undef CEFLIB_DEFINE_ENTRY_POINT

decltype(&::cef_string_utf16_set) cef_string_set = nullptr;
decltype(&::cef_string_utf16_clear) cef_string_clear = nullptr;
decltype(&::cef_string_userfree_utf16_alloc) cef_string_userfree_alloc = nullptr;
decltype(&::cef_string_userfree_utf16_free) cef_string_userfree_free = nullptr;
decltype(&::cef_string_ascii_to_utf16) cef_string_from_ascii = nullptr;
decltype(&::cef_string_utf16_to_utf8) cef_string_to_utf8 = nullptr;
decltype(&::cef_string_utf8_to_utf16) cef_string_from_utf8 = nullptr;
decltype(&::cef_string_utf16_to_wide) cef_string_to_wide = nullptr;
decltype(&::cef_string_wide_to_utf16) cef_string_from_wide = nullptr;
int (*cef_string_to_utf16)(const char16*, size_t, cef_string_utf16_t*) = nullptr;
int (*cef_string_from_utf16)(const char16*, size_t, cef_string_utf16_t*) = nullptr;

namespace {

int CopyUtf16(const char16* src, size_t srcLen, cef_string_utf16_t* output) {
  return cef_string_utf16_set(src, srcLen, output, 1);
}

template <class Fn>
bool Resolve(HMODULE module, const char* name, Fn& entry) {
  entry = reinterpret_cast<Fn>(GetProcAddress(module, name));
  return entry != nullptr;
}

void BindGenericStringNames() {
  cef_string_set = cef_string_utf16_set;
  cef_string_clear = cef_string_utf16_clear;
  cef_string_userfree_alloc = cef_string_userfree_utf16_alloc;
  cef_string_userfree_free = cef_string_userfree_utf16_free;
  cef_string_from_ascii = cef_string_ascii_to_utf16;
  cef_string_to_utf8 = cef_string_utf16_to_utf8;
  cef_string_from_utf8 = cef_string_utf8_to_utf16;
  cef_string_to_wide = cef_string_utf16_to_wide;
  cef_string_from_wide = cef_string_wide_to_utf16;
  cef_string_to_utf16 = CopyUtf16;
  cef_string_from_utf16 = CopyUtf16;
}

}  // namespace

int ResolveEntryPoints(HMODULE module) {
  int found = 0;
#define CEFLIB_RESOLVE_ENTRY_POINT(name) found += Resolve(module, #name, name) ? 1 : 0;
  CEFLIB_ENTRY_POINTS(CEFLIB_RESOLVE_ENTRY_POINT)
#undef CEFLIB_RESOLVE_ENTRY_POINT
  BindGenericStringNames();
  return found;
}

void ClearEntryPoints() {
#define CEFLIB_CLEAR_ENTRY_POINT(name) name = nullptr;
  CEFLIB_ENTRY_POINTS(CEFLIB_CLEAR_ENTRY_POINT)
#undef CEFLIB_CLEAR_ENTRY_POINT
  cef_string_set = nullptr;
  cef_string_clear = nullptr;
  cef_string_userfree_alloc = nullptr;
  cef_string_userfree_free = nullptr;
  cef_string_from_ascii = nullptr;
  cef_string_to_utf8 = nullptr;
  cef_string_from_utf8 = nullptr;
  cef_string_to_wide = nullptr;
  cef_string_from_wide = nullptr;
  cef_string_to_utf16 = nullptr;
  cef_string_from_utf16 = nullptr;
}

}  // namespace ceflib
