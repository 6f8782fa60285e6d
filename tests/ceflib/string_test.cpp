// Text across the runtime boundary, with the stand-in runtime's string functions.

#include <gtest/gtest.h>

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_string.h"
#include "ceflib/cef_string_out.h"
#include "fake_runtime_object.h"
#include "standin_strings.h"

namespace ceflib::test {
namespace {

const ustring WithZero(L"ab\0cd", 5);

// A runtime-owned string, as the runtime would hand one over.
cef_string_t RuntimeString(const ustring& text) {
  cef_string_t record{};
  cef_string_utf16_set(text.data(), text.size(), &record, 1);
  return record;
}

cef_string_userfree_t RuntimeUserFree(const ustring& text) {
  cef_string_userfree_t result = cef_string_userfree_utf16_alloc();
  if (!text.empty()) cef_string_utf16_set(text.data(), text.size(), result, 1);
  return result;
}

TEST(CefStringView, BorrowsTheTextWithItsFullLength) {
  UseStandInStrings();
  cef_string_t view = CefStringView(WithZero);
  EXPECT_EQ(view.str, WithZero.data());
  EXPECT_EQ(view.length, 5u);
  EXPECT_EQ(view.dtor, nullptr);
}

TEST(CefStringView, EmptyTextGivesLengthZeroAndANonNullTerminatedBuffer) {
  ustring empty;
  cef_string_t view = CefStringView(empty);
  EXPECT_EQ(view.length, 0u);
  ASSERT_NE(view.str, nullptr);
  EXPECT_EQ(view.str[0], L'\0');
}

TEST(CefStringRead, CopiesLengthUnitsAndLeavesTheRecordAlone) {
  UseStandInStrings();
  EXPECT_EQ(CefStringRead(nullptr), L"");
  wchar_t garbage[] = L"xyz";
  cef_string_t lengthZero{garbage, 0, nullptr};
  EXPECT_EQ(CefStringRead(&lengthZero), L"");
  cef_string_t record = RuntimeString(WithZero);
  cef_string_t before = record;
  EXPECT_EQ(CefStringRead(&record), WithZero);
  EXPECT_EQ(record.str, before.str);
  EXPECT_EQ(record.length, before.length);
  EXPECT_EQ(record.dtor, before.dtor);
  cef_string_utf16_clear(&record);
}

TEST(CefStringCopyOf, EmptyTextGivesAZeroRecord) {
  TStringCallCounts& counts = UseStandInStrings();
  cef_string_t record = CefStringCopyOf(L"");
  EXPECT_EQ(record.str, nullptr);
  EXPECT_EQ(record.length, 0u);
  EXPECT_EQ(record.dtor, nullptr);
  EXPECT_EQ(counts.StringSets, 0);
}

TEST(CefStringCopyOf, TextIsCopiedIntoARuntimeOwnedBuffer) {
  UseStandInStrings();
  cef_string_t record = CefStringCopyOf(WithZero);
  EXPECT_NE(record.str, WithZero.data());
  EXPECT_NE(record.dtor, nullptr);
  EXPECT_EQ(CefStringRead(&record), WithZero);
  cef_string_clear(&record);
  EXPECT_EQ(record.str, nullptr);
}

TEST(CefStringAssign, NullRecordDoesNothing) {
  TStringCallCounts& counts = UseStandInStrings();
  CefStringAssign(nullptr, L"text");
  EXPECT_EQ(counts.StringSets, 0);
}

TEST(CefStringAssign, ReplacesTheContentWithARuntimeCopy) {
  TStringCallCounts& counts = UseStandInStrings();
  cef_string_t record = RuntimeString(L"old");
  CefStringAssign(&record, WithZero);
  EXPECT_EQ(CefStringRead(&record), WithZero);
  EXPECT_NE(record.dtor, nullptr);
  CefStringAssign(&record, L"");
  EXPECT_EQ(record.length, 0u);
  EXPECT_EQ(counts.StringSets, 3);
  cef_string_clear(&record);
}

TEST(CefStringTakeAndClear, GivesTheTextAndClearsTheRecord) {
  UseStandInStrings();
  cef_string_t record = RuntimeString(WithZero);
  EXPECT_EQ(CefStringTakeAndClear(&record), WithZero);
  EXPECT_EQ(record.str, nullptr);
  EXPECT_EQ(record.length, 0u);
  EXPECT_EQ(record.dtor, nullptr);
}

TEST(CefStringTakeUserFree, NullGivesEmptyTextAndNoFreeCall) {
  TStringCallCounts& counts = UseStandInStrings();
  EXPECT_EQ(CefStringTakeUserFree(nullptr), L"");
  EXPECT_EQ(counts.UserFreeFrees, 0);
}

TEST(CefStringTakeUserFree, FreesTheStringExactlyOnceAlsoWhenEmpty) {
  TStringCallCounts& counts = UseStandInStrings();
  EXPECT_EQ(CefStringTakeUserFree(RuntimeUserFree(WithZero)), WithZero);
  EXPECT_EQ(counts.UserFreeFrees, 1);
  EXPECT_EQ(CefStringTakeUserFree(RuntimeUserFree(L"")), L"");
  EXPECT_EQ(counts.UserFreeFrees, 2);
}

// A Ref operation with a caller-freed result and a text argument.
struct TFakeFrameWithUrl {
  TFakeRuntimeObject<cef_frame_t> Frame;
  ustring Url;
  ustring Loaded;
  const char16* LoadedPointer = nullptr;

  static TFakeFrameWithUrl* From(cef_frame_t* self) { return reinterpret_cast<TFakeFrameWithUrl*>(self); }
  static cef_string_userfree_t CEF_CALLBACK GetUrl(cef_frame_t* self) { return RuntimeUserFree(From(self)->Url); }
  static void CEF_CALLBACK LoadUrl(cef_frame_t* self, const cef_string_t* url) {
    From(self)->Loaded = CefStringRead(url);
    From(self)->LoadedPointer = url->str;
  }
  TFakeFrameWithUrl() {
    Frame.Struct.get_url = GetUrl;
    Frame.Struct.load_url = LoadUrl;
  }
};

TEST(CefRefOperationText, CallerFreedResultIsReadAndFreedOnce) {
  TStringCallCounts& counts = UseStandInStrings();
  TFakeFrameWithUrl fake;
  fake.Url = WithZero;
  RefPtr<ICefFrame> frame = ICefFrame::UnWrap(&fake.Frame.Struct);
  EXPECT_EQ(frame->GetUrl(), WithZero);
  EXPECT_EQ(counts.UserFreeFrees, 1);
  fake.Url.clear();
  EXPECT_EQ(frame->GetUrl(), L"");
  EXPECT_EQ(counts.UserFreeFrees, 2);
}

TEST(CefRefOperationText, TextArgumentIsPassedWithoutACopy) {
  UseStandInStrings();
  TFakeFrameWithUrl fake;
  RefPtr<ICefFrame> frame = ICefFrame::UnWrap(&fake.Frame.Struct);
  frame->LoadUrl(WithZero);
  EXPECT_EQ(fake.Loaded, WithZero);
  EXPECT_EQ(fake.LoadedPointer, WithZero.data());
}

// ---- Strings the callee fills ----

TEST(CefStringReplaceWhenGiven, EmptiedValueLeavesTheRuntimesValue) {
  UseStandInStrings();
  cef_string_t record = RuntimeString(L"http://old/");
  char16* before = record.str;
  TCefStringReplaceWhenGiven out(&record);
  EXPECT_EQ(out.Value(), L"http://old/");
  out.Value().clear();
  out.Commit();
  EXPECT_EQ(record.str, before);
  EXPECT_EQ(CefStringRead(&record), L"http://old/");
  cef_string_clear(&record);
}

TEST(CefStringReplaceWhenGiven, GivenValueReplacesTheRuntimesValue) {
  UseStandInStrings();
  cef_string_t record{};
  TCefStringReplaceWhenGiven out(&record);
  EXPECT_EQ(out.Value(), L"");
  out.Value() = L"http://new/";
  out.Commit();
  EXPECT_EQ(CefStringRead(&record), L"http://new/");
  cef_string_clear(&record);
}

TEST(CefStringReplaceAlways, ReadsAndClearsThenAlwaysWritesTheResult) {
  UseStandInStrings();
  cef_string_t record = RuntimeString(L"tip");
  {
    TCefStringReplaceAlways out(&record);
    EXPECT_EQ(out.Value(), L"tip");
    EXPECT_EQ(record.str, nullptr);
    out.Value() = WithZero;
    out.Commit();
  }
  EXPECT_EQ(CefStringRead(&record), WithZero);
  EXPECT_NE(record.dtor, nullptr);
  {
    TCefStringReplaceAlways out(&record);
    out.Value().clear();
    out.Commit();
  }
  EXPECT_EQ(record.str, nullptr);
  EXPECT_EQ(record.length, 0u);
  EXPECT_EQ(record.dtor, nullptr);
}

}  // namespace
}  // namespace ceflib::test
