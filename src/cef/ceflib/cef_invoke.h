#pragma once
// CefInvoke(fn, args...): calls a runtime function (an exported function or a struct's function
// member) with native arguments, converting each to the parameter's C type and the result back
// (see cef_marshal.h). Out-values are written back after a normal return; everything made for
// the call is freed on every exit path.

#include <tuple>
#include <type_traits>
#include <utility>

#include "ceflib/cef_marshal.h"

namespace ceflib {
namespace detail {

template <class R, class... P, class Fn, class... A>
decltype(auto) CefInvokeWith(Fn fn, A&&... args) {
  static_assert(sizeof...(P) == sizeof...(A), "the runtime function takes another number of arguments");
  std::tuple<TCefToRuntime<P, A&&>...> in{std::forward<A>(args)...};
  auto call = [&](auto&... arg) -> R { return fn(arg.Get()...); };
  auto commit = [](auto&... arg) { (arg.Commit(), ...); };
  if constexpr (std::is_void_v<R>) {
    std::apply(call, in);
    std::apply(commit, in);
  } else {
    auto result = CefResult(std::apply(call, in));
    std::apply(commit, in);
    return result;
  }
}

template <class Fn>
struct TCefFunction;
template <class R, class... P>
struct TCefFunction<R (*)(P...)> {
  template <class... A>
  static decltype(auto) Invoke(R (*fn)(P...), A&&... args) {
    return CefInvokeWith<R, P...>(fn, std::forward<A>(args)...);
  }
};
#if defined(__i386__) || defined(_M_IX86)
// Function members use stdcall on 32-bit Windows, the exports cdecl.
template <class R, class... P>
struct TCefFunction<R (CEF_CALLBACK*)(P...)> {
  template <class... A>
  static decltype(auto) Invoke(R (CEF_CALLBACK* fn)(P...), A&&... args) {
    return CefInvokeWith<R, P...>(fn, std::forward<A>(args)...);
  }
};
#endif

}  // namespace detail

template <class Fn, class... A>
decltype(auto) CefInvoke(Fn fn, A&&... args) {
  return detail::TCefFunction<Fn>::Invoke(fn, std::forward<A>(args)...);
}

}  // namespace ceflib
