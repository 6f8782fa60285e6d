#pragma once
// One owning wrapper for every kind of Windows handle: the handle type and the
// function that closes it are template parameters, so each kind of handle is one
// line (the GUI's own kinds are in toolkit/GuiHandles.h).

#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

template <typename H, auto Close, std::intptr_t Invalid = 0>
class TUniqueHandle {
 public:
  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(H handle) noexcept : FHandle(handle) {}
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  ~TUniqueHandle() { reset(); }

  static H InvalidValue() noexcept {
    if constexpr (std::is_pointer_v<H>)
      return reinterpret_cast<H>(Invalid);
    else
      return static_cast<H>(Invalid);
  }

  H get() const noexcept { return FHandle; }
  bool valid() const noexcept { return FHandle != InvalidValue(); }
  explicit operator bool() const noexcept { return valid(); }

  // Gives up ownership without closing.
  H release() noexcept { return std::exchange(FHandle, InvalidValue()); }

  void reset(H handle = InvalidValue()) noexcept {
    H old = std::exchange(FHandle, handle);
    if (old != InvalidValue()) Close(old);
  }

 private:
  H FHandle = InvalidValue();
};

using THandle = TUniqueHandle<HANDLE, CloseHandle>;
using TFileHandle = TUniqueHandle<HANDLE, CloseHandle, -1>;  // CreateFileW fails with INVALID_HANDLE_VALUE
using TFindHandle = TUniqueHandle<HANDLE, FindClose, -1>;
using TModuleHandle = TUniqueHandle<HMODULE, FreeLibrary>;

// The predefined keys (HKEY_CLASSES_ROOT and the rest, 0x80000000 to 0x800000FF) are handles
// the whole process shares: a key handle that holds one leaves it open.
inline void CloseRegKey(HKEY key) noexcept {
  const auto value = reinterpret_cast<std::uintptr_t>(key);
  if ((value & ~std::uintptr_t{0xFF}) != reinterpret_cast<std::uintptr_t>(HKEY_CLASSES_ROOT)) RegCloseKey(key);
}
using TRegKeyHandle = TUniqueHandle<HKEY, CloseRegKey>;
