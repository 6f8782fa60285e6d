#pragma once
// A reference to one of the program's objects that the runtime holds. The program hands
// every object over with one reference for the runtime; THeld adopts exactly that one and
// gives it back once, and while it holds it the object counts as held for the leak report.

#include <cef_capi.h>

#include "object_accounting.h"

#include <utility>

namespace standin {

template <class Struct>
class THeld {
 public:
  THeld() = default;
  // Takes over the reference that came with the pointer (null holds nothing).
  static THeld Adopt(Struct* object, const char* kind) {
    THeld held;
    held.FObject = object;
    held.FKind = kind;
    if (object) TObjectAccounting::Instance().Add(TSide::Program, kind);
    return held;
  }
  THeld(THeld&& other) noexcept
      : FObject(std::exchange(other.FObject, nullptr)), FKind(other.FKind) {}
  THeld& operator=(THeld&& other) noexcept {
    if (this != &other) {
      Reset();
      FObject = std::exchange(other.FObject, nullptr);
      FKind = other.FKind;
    }
    return *this;
  }
  THeld(const THeld&) = delete;
  THeld& operator=(const THeld&) = delete;
  ~THeld() { Reset(); }

  // Gives the reference back to the program.
  void Reset() {
    Struct* object = std::exchange(FObject, nullptr);
    if (!object) return;
    TObjectAccounting::Instance().Remove(TSide::Program, FKind);
    cef_base_t* base = reinterpret_cast<cef_base_t*>(object);
    if (base->release) base->release(base);
  }
  Struct* Get() const { return FObject; }
  Struct* operator->() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }
  // The object with one added reference for a receiver (for passing it on).
  Struct* PassOut() const {
    if (!FObject) return nullptr;
    cef_base_t* base = reinterpret_cast<cef_base_t*>(FObject);
    if (base->add_ref) base->add_ref(base);
    return FObject;
  }

 private:
  Struct* FObject = nullptr;
  const char* FKind = "";
};

}  // namespace standin
