// The cookie visitor and the set and delete callbacks, and their Fast forms.

#include "ceflib/cef_cookie.h"
#include "ceflib/cef_time.h"

namespace ceflib {
namespace {

// A cookie's time as local time, or the zero date when it has no local calendar value (31
// December 9999 UTC is already year 10000 east of UTC): one odd date must not stop the visit,
// or deleting every cookie would leave the rest behind.
TDateTime CookieTime(const cef_time_t& time) noexcept {
  try {
    return CefTimeToLocalDateTime(time);
  } catch (...) {
    return TDateTime{0};
  }
}

// The cookie reaches the visitor as ten values; deleteCookie goes back as 0 or 1.
int CEF_CALLBACK VisitCallback(cef_cookie_visitor_t* self, const cef_cookie_t* cookie, int count, int total,
                               int* deleteCookie) noexcept {
  try {
    auto* owner = static_cast<TCefCookieVisitorOwn*>(TCefBaseOwn::OwnerOf(self));
    bool deleteIt = false;
    const cef_cookie_t empty{};
    const cef_cookie_t& c = cookie ? *cookie : empty;
    const TDateTime expires = c.has_expires ? CookieTime(c.expires) : TDateTime{0};
    bool result = owner->Visit(CefStringRead(&c.name), CefStringRead(&c.value), CefStringRead(&c.domain),
                               CefStringRead(&c.path), c.secure != 0, c.httponly != 0, c.has_expires != 0,
                               CookieTime(c.creation), CookieTime(c.last_access), expires,
                               count, total, deleteIt);
    if (deleteCookie) *deleteCookie = deleteIt ? 1 : 0;
    return result ? 1 : 0;
  } catch (...) {
    // Nothing may unwind into the runtime.
    return 0;
  }
}

}  // namespace

TCefCookieVisitorOwn::TCefCookieVisitorOwn() { Data()->visit = VisitCallback; }

bool TCefCookieVisitorOwn::Visit(const ustring&, const ustring&, const ustring&, const ustring&, bool, bool, bool,
                                 TDateTime, TDateTime, TDateTime, int, int, bool&) {
  return true;
}

TCefSetCookieCallbackOwn::TCefSetCookieCallbackOwn() {
  Bind<&cef_set_cookie_callback_t::on_complete, &ICefSetCookieCallback::OnComplete>();
}

TCefDeleteCookiesCallbackOwn::TCefDeleteCookiesCallbackOwn() {
  Bind<&cef_delete_cookies_callback_t::on_complete, &ICefDeleteCookiesCallback::OnComplete>();
}

TCefFastCookieVisitor::TCefFastCookieVisitor(TCefCookieVisitorProc visitor) : FVisitor(std::move(visitor)) {}

bool TCefFastCookieVisitor::Visit(const ustring& name, const ustring& value, const ustring& domain,
                                  const ustring& path, bool secure, bool httponly, bool hasExpires,
                                  TDateTime creation, TDateTime lastAccess, TDateTime expires, int count, int total,
                                  bool& deleteCookie) {
  return FVisitor(name, value, domain, path, secure, httponly, hasExpires, creation, lastAccess, expires, count,
                  total, deleteCookie);
}

TCefFastSetCookieCallback::TCefFastSetCookieCallback(TCefSetCookieCallbackProc callback)
    : FCallback(std::move(callback)) {}

void TCefFastSetCookieCallback::OnComplete(bool success) { FCallback(success); }

TCefFastDeleteCookiesCallback::TCefFastDeleteCookiesCallback(TCefDeleteCookiesCallbackProc callback)
    : FCallback(std::move(callback)) {}

void TCefFastDeleteCookiesCallback::OnComplete(int numDeleted) { FCallback(numDeleted); }

}  // namespace ceflib
