#pragma once
// The object bridge's roots. Every object that stands for a runtime object is an ICefBase:
//  - TCefBaseOwn: objects we implement and hand to the runtime. They own one block holding a
//    pointer back to the object followed by the runtime struct; the runtime's add_ref and release
//    move the object's own counter, so both sides share one count.
//  - TCefBaseRef: wrappers around runtime objects. Each holds exactly one runtime reference,
//    adopted when it is made and released when it dies, unless the runtime library has been
//    unloaded meanwhile: then the reference died with the library and nothing is called.
// Handing an object to the runtime is CefStructOf(intf): one reference added for the receiver.

#include <atomic>
#include <cstddef>
#include <cstdint>

// Some operations bear names that windows.h turns into macros (LoadString); every interface
// sees the same names when it is always included first.
#include <windows.h>

#include "ceflib/ref_ptr.h"

namespace ceflib {

class ICefBase {
 public:
  virtual void AddReference() noexcept = 0;
  // Returns the count left; the object is gone when it is 0.
  virtual int32_t ReleaseReference() noexcept = 0;
  // The runtime struct, with one reference added for whoever receives it.
  virtual void* Wrap() noexcept = 0;

 protected:
  virtual ~ICefBase() = default;
};

// A reference-counted object: the counter is 0 once constructed, changed atomically, and the
// object destroys itself when a release brings it to 0.
class TInterfacedObject : public virtual ICefBase {
 public:
  TInterfacedObject(const TInterfacedObject&) = delete;
  TInterfacedObject& operator=(const TInterfacedObject&) = delete;

  void AddReference() noexcept override;
  int32_t ReleaseReference() noexcept override;
  int32_t RefCount() const noexcept { return FRefCount.load(std::memory_order_relaxed); }

 protected:
  TInterfacedObject() = default;
  ~TInterfacedObject() override = default;

 private:
  std::atomic<int32_t> FRefCount{0};
};

class TCefBaseOwn : public TInterfacedObject {
 public:
  void* Wrap() noexcept override;

  // The object that owns a struct made by this class: one read, one pointer before the struct.
  static TCefBaseOwn* OwnerOf(const void* data) noexcept {
    return *reinterpret_cast<TCefBaseOwn* const*>(static_cast<const char*>(data) - sizeof(void*));
  }

  // Struct blocks currently allocated, for leak checks.
  static int32_t LiveBlocks() noexcept;

 protected:
  // Allocates the block (owner pointer, then a zero-filled struct of `size` bytes), stores the
  // size and the three base callbacks. With owned = true the runtime's counting is ignored
  // (add_ref does nothing, release and has_one_ref return 1); nothing in this program uses it.
  explicit TCefBaseOwn(size_t size, bool owned = false);
  ~TCefBaseOwn() override;

  void* FData;
};

class TCefBaseRef : public TInterfacedObject {
 public:
  // Adopts the reference that came with data, which must not be null.
  explicit TCefBaseRef(void* data);
  // Null once the runtime library has been unloaded: there is nobody left to receive it.
  void* Wrap() noexcept override;

  // Null gives nil; otherwise a wrapper adopting data's reference.
  static RefPtr<ICefBase> UnWrap(void* data);

 protected:
  // Releases the one runtime reference (when the struct has a release member and the library
  // it came from is still loaded).
  ~TCefBaseRef() override;

  void* const FData;

 private:
  bool LibraryGone() const noexcept;

  const uint32_t FLibraryUnloads;
};

// The runtime struct of intf with one reference added for the receiver; nil gives null.
inline void* CefStructOf(ICefBase* intf) noexcept { return intf ? intf->Wrap() : nullptr; }
template <class I>
void* CefStructOf(const RefPtr<I>& intf) noexcept {
  return CefStructOf(static_cast<ICefBase*>(intf.get()));
}

}  // namespace ceflib
