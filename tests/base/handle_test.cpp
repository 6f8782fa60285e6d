#include "base/Handle.h"
#include "base/ScopeExit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> closed;
void CloseFake(int* handle) { closed.push_back(*handle); }
using TFakeHandle = TUniqueHandle<int*, CloseFake>;

}  // namespace

TEST(UniqueHandle, ClosesExactlyOnceWhenItGoesOutOfScope) {
  closed.clear();
  int a = 1;
  { TFakeHandle h(&a); }
  EXPECT_EQ(closed, std::vector<int>{1});
}

TEST(UniqueHandle, MoveTransfersOwnershipAndResetClosesTheOldHandle) {
  closed.clear();
  int a = 1, b = 2;
  TFakeHandle first(&a);
  TFakeHandle second(std::move(first));
  EXPECT_FALSE(first.valid());
  EXPECT_TRUE(closed.empty());
  second.reset(&b);
  EXPECT_EQ(closed, std::vector<int>{1});
  first = std::move(second);
  EXPECT_EQ(closed, std::vector<int>{1});
  first.reset();
  EXPECT_EQ(closed, (std::vector<int>{1, 2}));
}

TEST(UniqueHandle, ReleaseGivesUpOwnershipWithoutClosing) {
  closed.clear();
  int a = 1;
  int* raw = nullptr;
  {
    TFakeHandle h(&a);
    raw = h.release();
  }
  EXPECT_EQ(raw, &a);
  EXPECT_TRUE(closed.empty());
}

TEST(UniqueHandle, FileHandleTreatsInvalidHandleValueAsEmpty) {
  TFileHandle none(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(none.valid());
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  TFileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file.valid());
  HANDLE raw = file.get();
  file.reset();
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));  // closed
}

TEST(ScopeExit, RunsOnLeavingTheScopeUnlessDismissed) {
  int runs = 0;
  {
    auto guard = ScopeExit([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  {
    auto guard = ScopeExit([&] { ++runs; });
    guard.Dismiss();
  }
  EXPECT_EQ(runs, 1);
  try {
    auto guard = ScopeExit([&] { ++runs; });
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(runs, 2);
}
