#pragma once
// A process-wide reference to a runtime object, such as a unit's global cookie manager.
// Globals are torn down at process exit in an order nobody controls, so a plain RefPtr there
// could outlive the runtime; a TGlobalRef is let go by UnloadChromiumRuntime, before the
// runtime shuts down, wherever it is declared. Use it for namespace-scope variables only, and
// from the GUI thread.

#include "ceflib/ref_ptr.h"

namespace ceflib {

class TGlobalRefLink {
 public:
  TGlobalRefLink(const TGlobalRefLink&) = delete;
  TGlobalRefLink& operator=(const TGlobalRefLink&) = delete;

 protected:
  TGlobalRefLink() noexcept;
  ~TGlobalRefLink();
  virtual void Release() noexcept = 0;

 private:
  friend void ReleaseGlobalRefs() noexcept;
  TGlobalRefLink* FPrevious = nullptr;
  TGlobalRefLink* FNext = nullptr;
};

template <class I>
class TGlobalRef final : private TGlobalRefLink {
 public:
  TGlobalRef() noexcept = default;
  ~TGlobalRef() { FValue.reset(); }

  TGlobalRef& operator=(RefPtr<I> value) noexcept {
    FValue = std::move(value);
    return *this;
  }
  TGlobalRef& operator=(std::nullptr_t) noexcept {
    FValue.reset();
    return *this;
  }

  const RefPtr<I>& get() const noexcept { return FValue; }
  I* operator->() const noexcept { return FValue.get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(FValue); }
  operator const RefPtr<I>&() const noexcept { return FValue; }

 private:
  void Release() noexcept override { FValue.reset(); }

  RefPtr<I> FValue;
};

// Empties every TGlobalRef; the unload calls it first.
void ReleaseGlobalRefs() noexcept;

}  // namespace ceflib
