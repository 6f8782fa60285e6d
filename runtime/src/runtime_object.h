#pragma once
// Objects the runtime implements and hands to the program. Each C struct lives in a block
// followed by the address of its C++ owner, so a member function finds its object from
// self with one read. The reference count starts at 1: the reference of whoever the
// object is first handed to (TRef::Adopt in the runtime, or the program).

#include <cef_capi.h>

#include "object_accounting.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <utility>

namespace standin {

class TRuntimeObject {
 public:
  TRuntimeObject(const TRuntimeObject&) = delete;
  TRuntimeObject& operator=(const TRuntimeObject&) = delete;

  void AddRef() noexcept { FCount.fetch_add(1, std::memory_order_relaxed); }
  // True when that was the last reference and the object is gone.
  bool Release() noexcept {
    if (FCount.fetch_sub(1, std::memory_order_acq_rel) != 1) return false;
    delete this;
    return true;
  }
  bool HasOneRef() const noexcept { return FCount.load(std::memory_order_acquire) == 1; }
  const char* Kind() const { return FKind; }

 protected:
  explicit TRuntimeObject(const char* kind) : FKind(kind) {
    TObjectAccounting::Instance().Add(TSide::Runtime, kind);
  }
  virtual ~TRuntimeObject() { TObjectAccounting::Instance().Remove(TSide::Runtime, FKind); }

 private:
  std::atomic<long> FCount{1};
  const char* FKind;
};

// Derived implements the C struct Struct (whose first member is cef_base_t base).
template <class Derived, class Struct>
class TRuntimeStruct : public TRuntimeObject {
 public:
  Struct* Data() { return &FBlock.data; }
  // The struct with one reference added for the receiver.
  Struct* PassOut() {
    AddRef();
    return Data();
  }

  static Derived* From(Struct* self) {
    if (!self) return nullptr;
    return static_cast<Derived*>(reinterpret_cast<TBlock*>(self)->owner);
  }
  static Derived* From(const Struct* self) { return From(const_cast<Struct*>(self)); }

 protected:
  explicit TRuntimeStruct(const char* kind) : TRuntimeObject(kind) {
    std::memset(&FBlock.data, 0, sizeof(Struct));
    FBlock.owner = this;
    cef_base_t& base = FBlock.data.base;
    base.size = sizeof(Struct);
    base.add_ref = &BaseAddRef;
    base.release = &BaseRelease;
    base.has_one_ref = &BaseHasOneRef;
  }
  Struct& Members() { return FBlock.data; }

 private:
  struct TBlock {
    Struct data;
    TRuntimeObject* owner;
  };
  static TRuntimeObject* Owner(cef_base_t* self) { return reinterpret_cast<TBlock*>(self)->owner; }
  static void CEF_CALLBACK BaseAddRef(cef_base_t* self) { Owner(self)->AddRef(); }
  static int CEF_CALLBACK BaseRelease(cef_base_t* self) { return Owner(self)->Release() ? 1 : 0; }
  static int CEF_CALLBACK BaseHasOneRef(cef_base_t* self) { return Owner(self)->HasOneRef() ? 1 : 0; }

  TBlock FBlock;
};

// The runtime's own counted reference to one of its objects.
template <class T>
class TRef {
 public:
  TRef() = default;
  TRef(std::nullptr_t) {}
  // Takes over a reference that already exists (a new object's first one).
  static TRef Adopt(T* object) {
    TRef ref;
    ref.FObject = object;
    return ref;
  }
  // Adds a reference of its own.
  static TRef Share(T* object) {
    if (object) object->AddRef();
    return Adopt(object);
  }
  TRef(const TRef& other) : FObject(other.FObject) {
    if (FObject) FObject->AddRef();
  }
  TRef(TRef&& other) noexcept : FObject(std::exchange(other.FObject, nullptr)) {}
  TRef& operator=(TRef other) noexcept {
    std::swap(FObject, other.FObject);
    return *this;
  }
  ~TRef() { Reset(); }

  void Reset() {
    if (T* object = std::exchange(FObject, nullptr)) object->Release();
  }
  T* Get() const { return FObject; }
  T* operator->() const { return FObject; }
  T& operator*() const { return *FObject; }
  explicit operator bool() const { return FObject != nullptr; }

 private:
  T* FObject = nullptr;
};

// Creates a runtime object; the returned reference is its first.
template <class T, class... Args>
TRef<T> MakeRuntimeObject(Args&&... args) {
  return TRef<T>::Adopt(std::make_unique<T>(std::forward<Args>(args)...).release());
}

}  // namespace standin
