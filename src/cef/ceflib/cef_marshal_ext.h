#pragma once
// More conversion cases for cef_marshal.h, in the same shape (Get, Commit, destructor):
// out-objects and out-strings of Ref operations, times handed to the runtime, in/out objects
// and filled strings of Own callbacks, and arrays of objects.

#include <utility>
#include <vector>

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_marshal.h"
#include "ceflib/cef_string_out.h"
#include "ceflib/cef_time.h"

namespace ceflib {

// An interface of runtime objects: it has a wrapper, reached through I::UnWrap.
template <class I>
concept CefRuntimeInterface = requires(void* data) {
  { I::UnWrap(data) } -> std::same_as<RefPtr<I>>;
};

// ---- System to runtime ----

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

// ---- Runtime to system ----

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

}  // namespace ceflib
