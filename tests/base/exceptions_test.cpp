#include "base/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::wstring RaisedMessage(DWORD code) {
  try {
    RaiseLastOSError(code);
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), code);
    return e.Message();
  }
  ADD_FAILURE() << "nothing raised";
  return {};
}

}  // namespace

TEST(OSError, MessageHasCodeAndSystemText) {
  std::wstring message = RaisedMessage(ERROR_FILE_NOT_FOUND);
  const std::wstring head = L"System Error.  Code: 2.\r\n";
  ASSERT_EQ(message.substr(0, head.size()), head);
  std::wstring text = message.substr(head.size());
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text, SysErrorMessage(ERROR_FILE_NOT_FOUND));
  EXPECT_NE(text.back(), L'\n');
  EXPECT_NE(text.back(), L'.');
}

TEST(OSError, SystemTextIsTheSystemsOwnWithoutTrailingBreaksAndFullStops) {
  wchar_t buffer[512];
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_ACCESS_DENIED, 0,
                           buffer, 512, nullptr);
  ASSERT_GT(n, 0u);
  std::wstring raw(buffer, n);
  std::wstring text = SysErrorMessage(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(raw.substr(0, text.size()), text);
  for (wchar_t c : raw.substr(text.size())) EXPECT_TRUE(c <= L' ' || c == L'.');
}

TEST(OSError, CodeZeroSaysACallFailed) {
  EXPECT_EQ(RaisedMessage(0), L"A call to an OS function failed");
}

TEST(OSError, LargeCodesAreShownSignedAndUnknownOnesHaveNoText) {
  std::wstring message = RaisedMessage(0xA0001234u);
  EXPECT_EQ(message, L"System Error.  Code: -1610608076.\r\n");
}

TEST(OSError, RaiseLastOSErrorUsesTheThreadsLastError) {
  SetLastError(ERROR_PATH_NOT_FOUND);
  try {
    RaiseLastOSError();
    FAIL() << "nothing raised";
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(e.Message().rfind(L"System Error.  Code: 3.\r\n", 0), 0u);
  }
}

TEST(OSError, Win32CheckRaisesOnlyOnFailure) {
  EXPECT_NO_THROW(Win32Check(TRUE));
  SetLastError(ERROR_INVALID_HANDLE);
  EXPECT_THROW(Win32Check(FALSE), EOSError);
}

TEST(Exception, WhatGivesTheMessageAsUtf8) {
  Exception e(L"Gr\x00FC\x00DF");
  EXPECT_STREQ(e.what(), "Gr\xC3\xBC\xC3\x9F");
}

TEST(Exception, CurrentExceptionMessageCoversEveryKind) {
  try {
    throw Exception(L"ours");
  } catch (...) {
    EXPECT_EQ(CurrentExceptionMessage(), L"ours");
  }
  try {
    throw std::runtime_error("standard");
  } catch (...) {
    EXPECT_EQ(CurrentExceptionMessage(), L"standard");
  }
  try {
    throw 42;
  } catch (...) {
    EXPECT_FALSE(CurrentExceptionMessage().empty());
  }
}
