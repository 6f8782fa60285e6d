#include "base/Handle.h"
#include "base/ScopeExit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <utility>
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

namespace {

// The keys handed to RegCloseKey while this stands in for it in the program's import table.
std::vector<HKEY> closedKeys;
LSTATUS WINAPI RecordRegCloseKey(HKEY key) {
  closedKeys.push_back(key);
  return ERROR_SUCCESS;
}

void** ImportSlot(const char* module, const char* function) {
  auto* image = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(image + reinterpret_cast<IMAGE_DOS_HEADER*>(image)->e_lfanew);
  DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(image + imports); d->Name; ++d) {
    if (_stricmp(reinterpret_cast<char*>(image + d->Name), module) != 0) continue;
    auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(image + d->OriginalFirstThunk);
    for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(image + d->FirstThunk); name->u1.AddressOfData; ++name, ++slot)
      if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) &&
          std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(image + name->u1.AddressOfData)->Name, function) == 0)
        return reinterpret_cast<void**>(&slot->u1.Function);
  }
  return nullptr;
}

// A function of its own: the compiler reads an import slot once per function, as a constant.
[[gnu::noinline]] void DropKeys(std::initializer_list<HKEY> keys) {
  for (HKEY key : keys) TRegKeyHandle handle(key);
}

}  // namespace

TEST(UniqueHandle, RegistryKeyHandleLeavesThePredefinedKeysOpen) {
  void** slot = ImportSlot("advapi32.dll", "RegCloseKey");
  ASSERT_NE(slot, nullptr);
  DWORD protection;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  void* system = std::exchange(*slot, reinterpret_cast<void*>(&RecordRegCloseKey));
  const HKEY own = reinterpret_cast<HKEY>(0x1234);
  DropKeys({HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, own});
  *slot = system;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  EXPECT_EQ(closedKeys, std::vector<HKEY>{own});
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
