#include "standin_strings.h"

#include <gtest/gtest.h>

#include "ceflib/cef_entry_points.h"
#include "test_paths.h"

namespace ceflib::test {
namespace {

TStringCallCounts Counts;

decltype(&::cef_string_userfree_utf16_free) RealUserFreeFree;
decltype(&::cef_string_utf16_set) RealSet;
decltype(&::cef_string_list_alloc) RealListAlloc;
decltype(&::cef_string_list_free) RealListFree;

void CountedUserFreeFree(cef_string_userfree_utf16_t text) {
  ++Counts.UserFreeFrees;
  RealUserFreeFree(text);
}
int CountedSet(const char16* src, size_t length, cef_string_utf16_t* output, int copy) {
  ++Counts.StringSets;
  return RealSet(src, length, output, copy);
}
cef_string_list_t CountedListAlloc() {
  ++Counts.ListAllocs;
  return RealListAlloc();
}
void CountedListFree(cef_string_list_t list) {
  ++Counts.ListFrees;
  RealListFree(list);
}

}  // namespace

TStringCallCounts& UseStandInStrings() {
  static HMODULE module = [] {
    HMODULE loaded = LoadLibraryW(kelpa::test::BinFile(L"libcef.dll").c_str());
    if (loaded) ResolveEntryPoints(loaded);
    RealUserFreeFree = cef_string_userfree_utf16_free;
    RealSet = cef_string_utf16_set;
    RealListAlloc = cef_string_list_alloc;
    RealListFree = cef_string_list_free;
    cef_string_userfree_utf16_free = cef_string_userfree_free = CountedUserFreeFree;
    cef_string_utf16_set = cef_string_set = CountedSet;
    cef_string_list_alloc = CountedListAlloc;
    cef_string_list_free = CountedListFree;
    return loaded;
  }();
  EXPECT_NE(module, nullptr) << "the stand-in runtime is not beside the tests";
  Counts = TStringCallCounts{};
  return Counts;
}

}  // namespace ceflib::test
