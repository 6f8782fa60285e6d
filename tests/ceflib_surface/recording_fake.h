#pragma once
// A runtime object played by the test: struct S whose function members, once stubbed, record
// each call (which member, with which arguments rendered as text) and answer with what the
// test set. It counts the references it hands out and gets back, and fails the test when it
// dies with references outstanding. Like the runtime, a stub releases every object argument
// it receives after the call, unless KeepArgs asks it to keep them (released when the fake
// dies). Object results carry one reference for the receiver; text results are fresh
// caller-freed strings, counted in UserFreeAllocs.

#include <gtest/gtest.h>

#include <any>
#include <concepts>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include <cef_capi.h>

#include "ceflib/cef_entry_points.h"

namespace ceflib::test {

using TArgs = std::vector<std::wstring>;

// Caller-freed strings the fakes handed out (compare with the runtime's free count).
inline int UserFreeAllocs = 0;

template <class T>
concept CountedStruct = requires(T& s) {
  { s.base } -> std::same_as<cef_base_t&>;
};

inline std::wstring Render(const cef_string_t* text) {
  if (!text) return L"null";
  if (!text->str) return L"nochars/" + std::to_wstring(text->length);
  return L"\"" + std::wstring(text->str, text->length) + L"\"";
}
inline std::wstring Render(cef_string_t* text) { return Render(static_cast<const cef_string_t*>(text)); }
inline std::wstring Render(const void* pointer) {
  if (!pointer) return L"null";
  wchar_t buffer[32];
  std::swprintf(buffer, 32, L"@%p", pointer);
  return buffer;
}
template <class T>
  requires std::is_arithmetic_v<T> || std::is_enum_v<T>
std::wstring Render(T value) {
  if constexpr (std::is_floating_point_v<T>)
    return std::to_wstring(value);
  else if constexpr (std::is_enum_v<T>)
    return std::to_wstring(static_cast<long long>(value));
  else
    return std::to_wstring(value);
}
template <class T>
std::wstring Render(T* pointer) {
  return Render(static_cast<const void*>(pointer));
}

// The byte offset of a struct member: the identity of a function member.
template <class S, class T>
size_t SlotOf(T S::*member) {
  static S probe{};
  return reinterpret_cast<const char*>(&(probe.*member)) - reinterpret_cast<const char*>(&probe);
}

template <class S>
class TFake;

namespace detail {

template <class S, class MT, MT M>
struct TStub;

template <class S, class R, class... A, R(CEF_CALLBACK* S::*M)(S*, A...)>
struct TStub<S, R(CEF_CALLBACK* S::*)(S*, A...), M> {
  using THandler = std::function<R(A...)>;

  static R CEF_CALLBACK Call(S* self, A... args) {
    TFake<S>& fake = TFake<S>::From(self);
    const size_t slot = SlotOf(M);
    fake.Calls.push_back({self, slot, TArgs{Render(args)...}});
    auto handler = fake.Handlers.find(slot);
    if constexpr (std::is_void_v<R>) {
      if (handler != fake.Handlers.end()) std::any_cast<THandler&>(handler->second)(args...);
      (fake.TakeArgument(args), ...);
    } else {
      R result{};
      if (handler != fake.Handlers.end()) result = std::any_cast<THandler&>(handler->second)(args...);
      (fake.TakeArgument(args), ...);
      return result;
    }
  }
};

template <auto M>
struct TMemberOf;
template <class S, class T, T S::*M>
struct TMemberOf<M> {
  using TStruct = S;
  using TStubOf = TStub<S, T S::*, M>;
};

}  // namespace detail

template <class S>
class TFake {
 public:
  S Struct{};
  int AddRefs = 0;
  int Releases = 0;
  // Object arguments are kept (with their reference) instead of released after the call.
  bool KeepArgs = false;
  std::vector<cef_base_t*> Kept;

  struct TCall {
    const S* Self;
    size_t Slot;
    TArgs Args;
  };
  std::vector<TCall> Calls;
  std::map<size_t, std::any> Handlers;

  TFake() {
    Struct.base.size = sizeof(S);
    Struct.base.add_ref = AddRef;
    Struct.base.release = Release;
    Struct.base.has_one_ref = HasOneRef;
  }
  ~TFake() {
    ReleaseKept();
    EXPECT_EQ(AddRefs, Releases) << "references of a " << typeid(S).name() << " still held";
  }
  TFake(const TFake&) = delete;
  TFake& operator=(const TFake&) = delete;

  static TFake& From(const void* self) { return *const_cast<TFake*>(reinterpret_cast<const TFake*>(self)); }

  // The struct with one reference for the receiver, as the runtime hands its objects out.
  S* Pass() {
    ++AddRefs;
    return &Struct;
  }

  // Stubs members that record their calls and return zero.
  template <auto... M>
  void Stub() {
    ((Struct.*M = &detail::TMemberOf<M>::TStubOf::Call), ...);
  }

  // Stubs member M to run f with the member's arguments (self left out) and return its result.
  template <auto M, class F>
  void Does(F f) {
    Stub<M>();
    Handlers[SlotOf(M)] = typename detail::TMemberOf<M>::TStubOf::THandler(std::move(f));
  }

  // Stubs member M to return value: a text becomes a fresh caller-freed string (none for an
  // absent text), an object gets one reference for the receiver.
  template <auto M, class V>
  void Returns(V value) {
    using TFn = typename detail::TMemberOf<M>::TStubOf::THandler;
    using R = typename TFn::result_type;
    if constexpr (std::is_same_v<R, cef_string_userfree_t>) {
      std::wstring text = value;
      Does<M>([text](auto...) { return MakeUserFree(text); });
    } else if constexpr (std::is_pointer_v<R> && CountedStruct<std::remove_pointer_t<R>>) {
      R object = value;
      Does<M>([object](auto...) {
        if (object) object->base.add_ref(&object->base);
        return object;
      });
    } else {
      R result = static_cast<R>(value);
      Does<M>([result](auto...) { return result; });
    }
  }

  // The arguments of the one call to member M; fails when M was called another number of times
  // or with another self.
  template <class T>
  TArgs ArgsOf(T S::*member) const {
    const TCall* found = nullptr;
    int count = 0;
    for (const TCall& call : Calls)
      if (call.Slot == SlotOf(member)) {
        found = &call;
        ++count;
      }
    EXPECT_EQ(count, 1) << "calls to the member at offset " << SlotOf(member);
    if (found) {
      EXPECT_EQ(found->Self, &Struct) << "self of the member at offset " << SlotOf(member);
    }
    return found ? found->Args : TArgs{};
  }
  template <class T>
  int CountOf(T S::*member) const {
    int count = 0;
    for (const TCall& call : Calls) count += call.Slot == SlotOf(member) ? 1 : 0;
    return count;
  }

  void ReleaseKept() {
    std::vector<cef_base_t*> kept;
    kept.swap(Kept);
    for (cef_base_t* base : kept) base->release(base);
  }

  template <class A>
  void TakeArgument(A argument) {
    if constexpr (std::is_pointer_v<A> && CountedStruct<std::remove_pointer_t<A>>)
      TakeObject(argument ? &argument->base : nullptr);
    else if constexpr (std::is_same_v<A, cef_base_t*>)
      TakeObject(argument);
  }
  void TakeObject(cef_base_t* base) {
    if (!base) return;
    if (KeepArgs)
      Kept.push_back(base);
    else
      base->release(base);
  }

  static cef_string_userfree_t MakeUserFree(const std::wstring& text) {
    cef_string_userfree_t result = cef_string_userfree_utf16_alloc();
    cef_string_utf16_set(text.data(), text.size(), result, 1);
    ++UserFreeAllocs;
    return result;
  }

 private:
  static void CEF_CALLBACK AddRef(cef_base_t* self) { ++From(self).AddRefs; }
  static int CEF_CALLBACK Release(cef_base_t* self) {
    TFake& fake = From(self);
    ++fake.Releases;
    return fake.Releases == fake.AddRefs ? 1 : 0;
  }
  static int CEF_CALLBACK HasOneRef(cef_base_t* self) {
    TFake& fake = From(self);
    return fake.AddRefs - fake.Releases == 1 ? 1 : 0;
  }
};

}  // namespace ceflib::test
