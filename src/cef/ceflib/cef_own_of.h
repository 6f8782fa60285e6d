#pragma once
// TCefOwnOf<I, S>: the base of every object we hand to the runtime as a struct S, implementing
// interface I. The constructor of each Own class binds one C callback per struct member, one
// line each, to the virtual operation the member reaches:
//
//   Bind<&cef_app_t::on_register_custom_schemes, &TCefAppOwn::OnRegisterCustomSchemes>();
//
// The callback finds the owner one pointer before self (self is not a counted reference),
// converts the arguments (cef_marshal.h), calls the operation, writes back out-values and
// converts the result. Temporaries die on every exit path; an exception raised by the handler
// stops at the callback and the runtime gets the neutral value (0, null, nothing).

#include <tuple>
#include <type_traits>
#include <utility>

#include "ceflib/cef_base.h"
#include "ceflib/cef_marshal.h"

namespace ceflib {
namespace detail {

// Own is the Own class binding the callback; Method may belong to it, to a subclass, or to
// the interface it implements.
template <class Own, class Fn, class M, M Method>
struct TCefThunk;

template <class Own, class R, class S, class... C, class Owner, class MR, class... N, MR (Owner::*Method)(N...)>
struct TCefThunk<Own, R (CEF_CALLBACK*)(S*, C...), MR (Owner::*)(N...), Method> {
  static_assert(sizeof...(C) == sizeof...(N), "the operation takes another number of arguments than the member");
  using TTarget = std::conditional_t<std::is_base_of_v<TCefBaseOwn, Owner>, Owner, Own>;

  static R CEF_CALLBACK Call(S* self, C... values) noexcept {
    try {
      TTarget* owner = static_cast<TTarget*>(TCefBaseOwn::OwnerOf(self));
      std::tuple<TCefFromRuntime<C, N>...> args{values...};
      auto call = [&](auto&... arg) -> MR { return (owner->*Method)(arg.Get()...); };
      auto commit = [](auto&... arg) { (arg.Commit(), ...); };
      if constexpr (std::is_void_v<MR>) {
        std::apply(call, args);
        std::apply(commit, args);
        if constexpr (!std::is_void_v<R>) return R{};
      } else {
        MR result = std::apply(call, args);
        std::apply(commit, args);
        return CefReturn<R>(result);
      }
    } catch (...) {
      // The runtime's callers are C code: nothing may unwind into them.
      if constexpr (!std::is_void_v<R>) return R{};
    }
  }
};

}  // namespace detail

template <class I, class S>
class TCefOwnOf : public TCefBaseOwn, public I {
 protected:
  TCefOwnOf() : TCefBaseOwn(sizeof(S)) {}

  S* Data() const noexcept { return static_cast<S*>(FData); }

  // Stores the C callback that routes the struct member Field to the operation Method.
  template <auto Field, auto Method>
  void Bind() noexcept {
    using Fn = std::remove_reference_t<decltype(std::declval<S&>().*Field)>;
    Data()->*Field = &detail::TCefThunk<TCefOwnOf, Fn, decltype(Method), Method>::Call;
  }
};

}  // namespace ceflib
