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
#include <vector>

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_string.h"
#include "ceflib/cef_string_list.h"
#include "ceflib/cef_string_out.h"
#include "ceflib/cef_time.h"

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

// An interface of runtime objects: it has a wrapper, reached through I::UnWrap.
template <class I>
concept CefRuntimeInterface = requires(void* data) {
  { I::UnWrap(data) } -> std::same_as<RefPtr<I>>;
};

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

// A local date-time handed to the runtime as a UTC cef_time_t.
template <class A>
  requires std::same_as<std::remove_cvref_t<A>, TDateTime>
class TCefToRuntime<const cef_time_t*, A> {
 public:
  explicit TCefToRuntime(TDateTime time) : FRecord(LocalDateTimeToCefTime(time)) {}
  const cef_time_t* Get() const noexcept { return &FRecord; }
  void Commit() noexcept {}

 private:
  cef_time_t FRecord;
};

// An object the runtime hands back through an out-pointer: after the call it is adopted by a
// new wrapper (null gives nil); a reference nobody took is released.
template <class S, class I>
  requires CefCountedStruct<S>
class TCefToRuntime<S**, RefPtr<I>&> {
 public:
  explicit TCefToRuntime(RefPtr<I>& value) noexcept : FValue(value) {}
  ~TCefToRuntime() {
    if (FData && FData->base.release) FData->base.release(&FData->base);
  }
  TCefToRuntime(const TCefToRuntime&) = delete;
  TCefToRuntime& operator=(const TCefToRuntime&) = delete;

  S** Get() noexcept { return &FData; }
  void Commit() {
    RefPtr<I> wrapped = I::UnWrap(FData);
    FData = nullptr;
    FValue = std::move(wrapped);
  }

 private:
  RefPtr<I>& FValue;
  S* FData = nullptr;
};

// A string the runtime fills: passed as an empty record, read into the variable and cleared
// after the call (also cleared when the call does not return normally).
template <>
class TCefToRuntime<cef_string_t*, ustring&> {
 public:
  explicit TCefToRuntime(ustring& text) noexcept : FText(text) {}
  ~TCefToRuntime() {
    if (FRecord.dtor) cef_string_clear(&FRecord);
  }
  TCefToRuntime(const TCefToRuntime&) = delete;
  TCefToRuntime& operator=(const TCefToRuntime&) = delete;

  cef_string_t* Get() noexcept { return &FRecord; }
  void Commit() { FText = CefStringTakeAndClear(&FRecord); }

 private:
  ustring& FText;
  cef_string_t FRecord{};
};

// Objects handed to the runtime as a counted array (count, then S* const*): one reference
// added for the runtime per non-nil item. Lives for one call.
template <class S>
class TCefStructArray {
 public:
  template <class I>
  explicit TCefStructArray(const std::vector<RefPtr<I>>& items) {
    FItems.reserve(items.size());
    for (const RefPtr<I>& item : items) FItems.push_back(static_cast<S*>(CefStructOf(item)));
  }
  size_t Count() const noexcept { return FItems.size(); }
  S* const* Data() const noexcept { return FItems.data(); }

 private:
  std::vector<S*> FItems;
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

// An in/out object of a callback. The value in carries one reference for us and reaches the
// handler as an interface: a runtime object through its wrapper, one of our own objects read
// through its owner (no wrapper). After a normal return the runtime gets the handler's value
// with one reference (nil gives null) and the value in is given back; otherwise the record is
// left as it came, with its reference.
template <class S, class I>
  requires CefCountedStruct<S>
class TCefFromRuntime<S**, RefPtr<I>&> {
 public:
  explicit TCefFromRuntime(S** record) : FRecord(record), FIn(ValueIn(record ? *record : nullptr)), FValue(FIn) {}
  ~TCefFromRuntime() {
    // Make up for the release of FIn below: the record still holds the value in.
    if (!FCommitted && FIn) FIn->Wrap();
  }
  TCefFromRuntime(const TCefFromRuntime&) = delete;
  TCefFromRuntime& operator=(const TCefFromRuntime&) = delete;

  RefPtr<I>& Get() noexcept { return FValue; }
  void Commit() noexcept {
    if (!FRecord) return;
    *FRecord = static_cast<S*>(CefStructOf(FValue));
    FCommitted = true;
  }

 private:
  static RefPtr<I> ValueIn(S* data) {
    if (!data) return nullptr;
    if constexpr (CefRuntimeInterface<I>)
      return I::UnWrap(data);
    else
      return Adopt(dynamic_cast<I*>(TCefBaseOwn::OwnerOf(data)));
  }

  S** FRecord;
  RefPtr<I> FIn;
  RefPtr<I> FValue;
  bool FCommitted = false;
};

// A string the handler may replace: it starts as the runtime's text and replaces it only when
// left non-empty, so emptying it keeps the runtime's value.
template <>
class TCefFromRuntime<cef_string_t*, ustring&> {
 public:
  explicit TCefFromRuntime(cef_string_t* record) : FText(record) {}
  ustring& Get() noexcept { return FText.Value(); }
  void Commit() { FText.Commit(); }

 private:
  TCefStringReplaceWhenGiven FText;
};

// A string the runtime fills but the handler only reads.
template <>
class TCefFromRuntime<cef_string_t*, const ustring&> {
 public:
  explicit TCefFromRuntime(cef_string_t* record) : FText(CefStringRead(record)) {}
  const ustring& Get() const noexcept { return FText; }
  void Commit() noexcept {}

 private:
  ustring FText;
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
