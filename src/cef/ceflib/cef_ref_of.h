#pragma once
// TCefRefOf<Self, I, S>: the base of every wrapper around a runtime struct S, implementing
// interface I. Each operation is one line that names the struct member it calls:
//
//   bool IsMain() override { return Call(&cef_frame_t::is_main); }
//   ustring GetUrl() override { return Call(&cef_frame_t::get_url); }
//   void LoadUrl(const ustring& url) override { Call(&cef_frame_t::load_url, url); }
//   RefPtr<ICefBrowser> GetBrowser() override { return Call(&cef_frame_t::get_browser); }
//
// Call passes FData as self and converts the arguments and the result (cef_marshal.h).

#include "ceflib/cef_base.h"
#include "ceflib/cef_invoke.h"

namespace ceflib {

template <class Self, class I, class S>
class TCefRefOf : public TCefBaseRef, public I {
 public:
  explicit TCefRefOf(void* data) : TCefBaseRef(data) {}

  // Null gives nil; otherwise a new Self adopting the reference that came with data.
  static RefPtr<I> UnWrap(void* data) {
    if (!data) return nullptr;
    return MakeRef<Self>(data);
  }

 protected:
  S* Data() const noexcept { return static_cast<S*>(FData); }

  template <class Fn, class... A>
  decltype(auto) Call(Fn S::*member, A&&... args) const {
    return CefInvoke(Data()->*member, Data(), std::forward<A>(args)...);
  }
};

}  // namespace ceflib
