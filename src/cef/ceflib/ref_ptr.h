#pragma once
// An intrusive smart pointer for the binding's reference-counted objects. There is no
// constructor from a raw pointer: every way in says who owns the reference,
//   Adopt(p)   takes over a reference the caller already holds,
//   AddRef(p)  adds a reference of its own,
//   MakeRef<T>(...) constructs a new object (counter 0) and holds the first reference.
// T needs AddReference() and ReleaseReference(), which ICefBase provides.

#include <cstddef>
#include <type_traits>
#include <utility>

namespace ceflib {

template <class T>
class RefPtr {
 public:
  RefPtr() noexcept = default;
  RefPtr(std::nullptr_t) noexcept {}
  RefPtr(const RefPtr& other) noexcept : FPtr(other.FPtr) { Retain(); }
  RefPtr(RefPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RefPtr(const RefPtr<U>& other) noexcept : FPtr(other.get()) { Retain(); }
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RefPtr(RefPtr<U>&& other) noexcept : FPtr(other.Detach()) {}
  ~RefPtr() { reset(); }

  RefPtr& operator=(RefPtr other) noexcept {
    std::swap(FPtr, other.FPtr);
    return *this;
  }

  T* get() const noexcept { return FPtr; }
  T* operator->() const noexcept { return FPtr; }
  T& operator*() const noexcept { return *FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }

  // Drops the reference held (if any).
  void reset() noexcept {
    if (T* p = std::exchange(FPtr, nullptr)) p->ReleaseReference();
  }

  // Hands the held reference to the caller, who must release it.
  [[nodiscard]] T* Detach() noexcept { return std::exchange(FPtr, nullptr); }

 private:
  template <class U> friend RefPtr<U> Adopt(U* p) noexcept;
  void Retain() noexcept {
    if (FPtr) FPtr->AddReference();
  }
  T* FPtr = nullptr;
};

// Takes over a reference that the caller holds; no count changes.
template <class T>
[[nodiscard]] RefPtr<T> Adopt(T* p) noexcept {
  RefPtr<T> result;
  result.FPtr = p;
  return result;
}

// Adds a reference of its own to p (null gives an empty pointer).
template <class T>
[[nodiscard]] RefPtr<T> AddRef(T* p) noexcept {
  if (p) p->AddReference();
  return Adopt(p);
}

// Constructs a reference-counted object (its counter starts at 0) and holds its first reference.
template <class T, class... Args>
[[nodiscard]] RefPtr<T> MakeRef(Args&&... args) {
  return AddRef(new T(std::forward<Args>(args)...));
}

template <class T, class U>
bool operator==(const RefPtr<T>& a, const RefPtr<U>& b) noexcept {
  return a.get() == b.get();
}
template <class T>
bool operator==(const RefPtr<T>& a, std::nullptr_t) noexcept {
  return a.get() == nullptr;
}

}  // namespace ceflib
