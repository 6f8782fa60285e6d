// String lists, maps and multimaps behind their opaque handles.

#include "runtime_library.h"
#include "test_strings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace standin_test;

// A borrowed record for passing a text in.
std::wstring ListValue(cef_string_list_t list, int index) {
  cef_string_t s = {};
  if (!CEF(cef_string_list_value)(list, index, &s)) return L"<none>";
  return Take(s);
}

TEST(RuntimeStringList, KeepsOrderAndCopiesWhatItIsGiven) {
  cef_string_list_t list = CEF(cef_string_list_alloc)();
  std::wstring first = L"first";
  cef_string_t in = In(first);
  CEF(cef_string_list_append)(list, &in);
  first[0] = L'F';  // the list kept its own copy
  cef_string_t second = In(L"second");
  CEF(cef_string_list_append)(list, &second);
  CEF(cef_string_list_append)(list, &second);
  EXPECT_EQ(CEF(cef_string_list_size)(list), 3);
  EXPECT_EQ(ListValue(list, 0), L"first");
  EXPECT_EQ(ListValue(list, 2), L"second");
  EXPECT_EQ(ListValue(list, 3), L"<none>");
  EXPECT_EQ(ListValue(list, -1), L"<none>");
  CEF(cef_string_list_free)(list);
}

TEST(RuntimeStringList, CopyIsIndependentOfTheOriginal) {
  cef_string_list_t list = CEF(cef_string_list_alloc)();
  cef_string_t a = In(L"a");
  CEF(cef_string_list_append)(list, &a);
  cef_string_list_t copy = CEF(cef_string_list_copy)(list);
  CEF(cef_string_list_clear)(list);
  EXPECT_EQ(CEF(cef_string_list_size)(list), 0);
  EXPECT_EQ(CEF(cef_string_list_size)(copy), 1);
  EXPECT_EQ(ListValue(copy, 0), L"a");
  CEF(cef_string_list_free)(list);
  CEF(cef_string_list_free)(copy);
}

TEST(RuntimeStringList, EmbeddedZeroUnitsAreKept) {
  cef_string_list_t list = CEF(cef_string_list_alloc)();
  const std::wstring text(L"a\0b", 3);
  cef_string_t in = In(text);
  CEF(cef_string_list_append)(list, &in);
  EXPECT_EQ(ListValue(list, 0), text);
  CEF(cef_string_list_free)(list);
}

TEST(RuntimeStringMap, KeepsInsertionOrderAndRefusesADuplicateKey) {
  cef_string_map_t map = CEF(cef_string_map_alloc)();
  cef_string_t kz = In(L"zeta"), ka = In(L"alpha"), v1 = In(L"1"), v2 = In(L"2"), v3 = In(L"3");
  EXPECT_EQ(CEF(cef_string_map_append)(map, &kz, &v1), 1);
  EXPECT_EQ(CEF(cef_string_map_append)(map, &ka, &v2), 1);
  EXPECT_EQ(CEF(cef_string_map_append)(map, &kz, &v3), 0);
  ASSERT_EQ(CEF(cef_string_map_size)(map), 2);
  cef_string_t s = {};
  ASSERT_EQ(CEF(cef_string_map_key)(map, 0, &s), 1);
  EXPECT_EQ(Take(s), L"zeta");
  ASSERT_EQ(CEF(cef_string_map_value)(map, 1, &s), 1);
  EXPECT_EQ(Take(s), L"2");
  ASSERT_EQ(CEF(cef_string_map_find)(map, &kz, &s), 1);
  EXPECT_EQ(Take(s), L"1");
  cef_string_t missing = In(L"ZETA");
  EXPECT_EQ(CEF(cef_string_map_find)(map, &missing, &s), 0);
  EXPECT_EQ(CEF(cef_string_map_key)(map, 2, &s), 0);
  CEF(cef_string_map_clear)(map);
  EXPECT_EQ(CEF(cef_string_map_size)(map), 0);
  CEF(cef_string_map_free)(map);
}

TEST(RuntimeStringMultimap, KeepsDuplicateKeysInInsertionOrder) {
  cef_string_multimap_t map = CEF(cef_string_multimap_alloc)();
  cef_string_t cookie = In(L"Set-Cookie"), type = In(L"Content-Type");
  cef_string_t a = In(L"a=1"), html = In(L"text/html"), b = In(L"b=2");
  CEF(cef_string_multimap_append)(map, &cookie, &a);
  CEF(cef_string_multimap_append)(map, &type, &html);
  CEF(cef_string_multimap_append)(map, &cookie, &b);
  EXPECT_EQ(CEF(cef_string_multimap_size)(map), 3);
  EXPECT_EQ(CEF(cef_string_multimap_find_count)(map, &cookie), 2);
  EXPECT_EQ(CEF(cef_string_multimap_find_count)(map, &type), 1);
  cef_string_t s = {};
  ASSERT_EQ(CEF(cef_string_multimap_enumerate)(map, &cookie, 0, &s), 1);
  EXPECT_EQ(Take(s), L"a=1");
  ASSERT_EQ(CEF(cef_string_multimap_enumerate)(map, &cookie, 1, &s), 1);
  EXPECT_EQ(Take(s), L"b=2");
  EXPECT_EQ(CEF(cef_string_multimap_enumerate)(map, &cookie, 2, &s), 0);
  ASSERT_EQ(CEF(cef_string_multimap_key)(map, 2, &s), 1);
  EXPECT_EQ(Take(s), L"Set-Cookie");
  ASSERT_EQ(CEF(cef_string_multimap_value)(map, 1, &s), 1);
  EXPECT_EQ(Take(s), L"text/html");
  CEF(cef_string_multimap_clear)(map);
  EXPECT_EQ(CEF(cef_string_multimap_find_count)(map, &cookie), 0);
  CEF(cef_string_multimap_free)(map);
}

}  // namespace
