#pragma once
// Conversions between native values and the runtime's C values, one class per case, chosen by
// the pair (C parameter type, native type). A Ref operation converts its arguments with
// TCefToRuntime and its result with CefResult; an Own callback converts its arguments with
// TCefFromRuntime and its handler's result with CefReturn. Each converter lives for one call:
// Get() gives the value to pass, Commit() writes back out-values after a normal return, and
// the destructor frees what it made on every exit path.

#include <concepts>
#include <type_traits>
#include <utility>

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_string.h"
#include "ceflib/cef_string_list.h"

namespace ceflib {

// A runtime struct that begins with the reference-counting header.
template <class S>
concept CefCountedStruct = requires(S& s) {
  { s.base } -> std::same_as<cef_base_t&>;
};

template <class T>
struct TIsRefPtr : std::false_type {};
template <class I>
struct TIsRefPtr<RefPtr<I>> : std::true_type {
  using Intf = I;
};
template <class T>
concept CefRefPtr = TIsRefPtr<std::remove_cvref_t<T>>::value;

// ---- System to runtime: arguments of Ref operations and exported functions ----

// Unchanged (ints, handles, plain records, raw struct pointers); a bool becomes 0 or 1.
template <class P, class A>
class TCefToRuntime {
 public:
  explicit TCefToRuntime(A a) : FValue(static_cast<P>(a)) {}
  P Get() const noexcept { return FValue; }
  void Commit() noexcept {}

 private:
  P FValue;
};

// Text: a view of the caller's characters, no copy.
template <class A>
class TCefToRuntime<const cef_string_t*, A> {
 public:
  explicit TCefToRuntime(const ustring& text) noexcept : FRecord(CefStringView(text)) {}
  explicit TCefToRuntime(ustring&&) = delete;  // would view a temporary
  const cef_string_t* Get() noexcept { return &FRecord; }
  void Commit() noexcept {}

 private:
  cef_string_t FRecord;
};

// An object of either side: the runtime receives one added reference; nil gives null.
template <class S, class A>
  requires CefCountedStruct<S> && CefRefPtr<A>
class TCefToRuntime<S*, A> {
 public:
  explicit TCefToRuntime(const std::remove_cvref_t<A>& intf) noexcept : FIntf(intf.get()) {}
  S* Get() const noexcept { return static_cast<S*>(CefStructOf(FIntf)); }
  void Commit() noexcept {}

 private:
  ICefBase* FIntf;
};

// A value the callee fills in place (int64* from int64_t&, int* from int&).
template <class U, class A>
  requires std::same_as<A, U&>
class TCefToRuntime<U*, A> {
 public:
  explicit TCefToRuntime(U& value) noexcept : FValue(&value) {}
  U* Get() const noexcept { return FValue; }
  void Commit() noexcept {}

 private:
  U* FValue;
};

// An in/out truth value.
template <>
class TCefToRuntime<int*, bool&> {
 public:
  explicit TCefToRuntime(bool& value) noexcept : FValue(value), FInt(value ? 1 : 0) {}
  int* Get() noexcept { return &FInt; }
  void Commit() noexcept { FValue = FInt != 0; }

 private:
  bool& FValue;
  int FInt;
};

// A text list the runtime fills: appended to the caller's list after the call.
template <>
class TCefToRuntime<cef_string_list_t, ustringlist&> {
 public:
  explicit TCefToRuntime(ustringlist& texts) : FTexts(texts) {}
  cef_string_list_t Get() const noexcept { return FList.Handle(); }
  void Commit() { FList.AppendTo(FTexts); }

 private:
  ustringlist& FTexts;
  TCefStringListFilled FList;
};

// A text list given to the runtime, which copies it.
template <>
class TCefToRuntime<cef_string_list_t, const ustringlist&> {
 public:
  explicit TCefToRuntime(const ustringlist& texts) : FList(texts) {}
  cef_string_list_t Get() const noexcept { return FList.Handle(); }
  void Commit() noexcept {}

 private:
  TCefStringListGiven FList;
};

// A struct pointer returned by the runtime carries one reference for us. Converting to
// RefPtr<I> adopts it into a new wrapper (null gives nil); a result nobody takes is released.
template <class S>
class [[nodiscard]] TCefStructResult {
 public:
  explicit TCefStructResult(S* data) noexcept : FData(data) {}
  TCefStructResult(TCefStructResult&& other) noexcept : FData(std::exchange(other.FData, nullptr)) {}
  TCefStructResult& operator=(TCefStructResult&&) = delete;
  ~TCefStructResult() {
    if (FData && FData->base.release) FData->base.release(&FData->base);
  }

  template <class I>
  operator RefPtr<I>() && {
    RefPtr<I> result = I::UnWrap(FData);
    FData = nullptr;
    return result;
  }

 private:
  S* FData;
};

// Results of runtime calls: caller-freed text becomes native text (freed exactly once), a
// struct pointer a TCefStructResult, anything else stays as it is (int truth values convert
// to bool where the operation returns bool).
template <class R>
R CefResult(R value) noexcept {
  return value;
}
inline ustring CefResult(cef_string_userfree_t text) { return CefStringTakeUserFree(text); }
template <CefCountedStruct S>
TCefStructResult<S> CefResult(S* data) noexcept {
  return TCefStructResult<S>(data);
}

// ---- Runtime to system: arguments of Own callbacks ----

// Unchanged (ints, handles, plain records); an int truth value converts to bool on the call.
template <class C, class N>
class TCefFromRuntime {
 public:
  explicit TCefFromRuntime(C value) noexcept : FValue(value) {}
  C Get() const noexcept { return FValue; }
  void Commit() noexcept {}

 private:
  C FValue;
};

// Text: a native copy (null gives the empty text).
template <class N>
class TCefFromRuntime<const cef_string_t*, N> {
 public:
  explicit TCefFromRuntime(const cef_string_t* text) : FValue(CefStringRead(text)) {}
  const ustring& Get() const noexcept { return FValue; }
  void Commit() noexcept {}

 private:
  ustring FValue;
};

// A runtime object: a temporary wrapper adopting the reference that came with it (null gives
// nil). A handler that keeps a copy keeps the runtime object alive.
template <class S, class N>
  requires CefCountedStruct<S> && CefRefPtr<N>
class TCefFromRuntime<S*, N> {
  using TIntfPtr = std::remove_cvref_t<N>;

 public:
  explicit TCefFromRuntime(S* data) : FValue(TIsRefPtr<TIntfPtr>::Intf::UnWrap(data)) {}
  const TIntfPtr& Get() const noexcept { return FValue; }
  void Commit() noexcept {}

 private:
  TIntfPtr FValue;
};

// A value the handler fills in place (int64_t& from int64*, int& from int*).
template <class U, class N>
  requires std::same_as<N, U&>
class TCefFromRuntime<U*, N> {
 public:
  explicit TCefFromRuntime(U* value) noexcept : FValue(value) {}
  U& Get() const noexcept { return *FValue; }
  void Commit() noexcept {}

 private:
  U* FValue;
};

// An in/out truth value: read before the handler, written back as 1 or 0 after it.
template <>
class TCefFromRuntime<int*, bool&> {
 public:
  explicit TCefFromRuntime(int* value) noexcept : FRecord(value), FValue(value && *value != 0) {}
  bool& Get() noexcept { return FValue; }
  void Commit() noexcept {
    if (FRecord) *FRecord = FValue ? 1 : 0;
  }

 private:
  int* FRecord;
  bool FValue;
};

// A runtime text list handed to the handler as a list of its own; the runtime's list is not freed.
template <>
class TCefFromRuntime<cef_string_list_t, const ustringlist&> {
 public:
  explicit TCefFromRuntime(cef_string_list_t list) { CefStringListAppendTo(list, FValue); }
  const ustringlist& Get() const noexcept { return FValue; }
  void Commit() noexcept {}

 private:
  ustringlist FValue;
};

// The handler's result for the runtime: an interface becomes its struct with one reference
// added for the runtime (nil gives null); a bool becomes 1 or 0.
template <class R, class M>
R CefReturn(const M& value) noexcept {
  if constexpr (CefRefPtr<M>)
    return static_cast<R>(CefStructOf(value));
  else
    return static_cast<R>(value);
}

}  // namespace ceflib
