// TCefCookieManagerRef: ICefCookieManager over the runtime's cef_cookie_manager_t, one line per
// member (each followed by its Proc twin); and the runtime's global and new managers.

#include "ceflib/cef_cookie.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_time.h"

namespace ceflib {
namespace {

using M = cef_cookie_manager_t;

// The texts are borrowed: the record lives no longer than the call that takes it.
struct TCookieRecord {
  cef_cookie_t Record{};
  TCookieRecord(const ustring& name, const ustring& value, const ustring& domain, const ustring& path, bool secure,
                bool httponly, bool hasExpires, TDateTime creation, TDateTime lastAccess, TDateTime expires) {
    Record.name = CefStringView(name);
    Record.value = CefStringView(value);
    Record.domain = CefStringView(domain);
    Record.path = CefStringView(path);
    Record.secure = secure ? 1 : 0;
    Record.httponly = httponly ? 1 : 0;
    Record.creation = LocalDateTimeToCefTime(creation);
    Record.last_access = LocalDateTimeToCefTime(lastAccess);
    Record.has_expires = hasExpires ? 1 : 0;
    if (hasExpires) Record.expires = LocalDateTimeToCefTime(expires);  // otherwise all zero
  }
};

class TCefCookieManagerRef final : public TCefRefOf<TCefCookieManagerRef, ICefCookieManager, M> {
 public:
  using TCefRefOf::TCefRefOf;
  void SetSupportedSchemes(const ustringlist& schemes, const RefPtr<ICefCompletionCallback>& callback) override {
    Call(&M::set_supported_schemes, schemes, callback);
  }
  void SetSupportedSchemesProc(const ustringlist& schemes, const TCefCompletionCallbackProc& callback) override {
    SetSupportedSchemes(schemes, MakeRef<TCefFastCompletionCallback>(callback));
  }
  bool VisitAllCookies(const RefPtr<ICefCookieVisitor>& visitor) override { return Call(&M::visit_all_cookies, visitor); }
  bool VisitAllCookiesProc(const TCefCookieVisitorProc& visitor) override {
    return VisitAllCookies(MakeRef<TCefFastCookieVisitor>(visitor));
  }
  bool VisitUrlCookies(const ustring& url, bool includeHttpOnly, const RefPtr<ICefCookieVisitor>& visitor) override {
    return Call(&M::visit_url_cookies, url, includeHttpOnly, visitor);
  }
  bool VisitUrlCookiesProc(const ustring& url, bool includeHttpOnly, const TCefCookieVisitorProc& visitor) override {
    return VisitUrlCookies(url, includeHttpOnly, MakeRef<TCefFastCookieVisitor>(visitor));
  }
  bool SetCookie(const ustring& url, const ustring& name, const ustring& value, const ustring& domain,
                 const ustring& path, bool secure, bool httponly, bool hasExpires, TDateTime creation,
                 TDateTime lastAccess, TDateTime expires, const RefPtr<ICefSetCookieCallback>& callback) override {
    TCookieRecord cookie(name, value, domain, path, secure, httponly, hasExpires, creation, lastAccess, expires);
    return Call(&M::set_cookie, url, &cookie.Record, callback);
  }
  bool SetCookieProc(const ustring& url, const ustring& name, const ustring& value, const ustring& domain,
                     const ustring& path, bool secure, bool httponly, bool hasExpires, TDateTime creation,
                     TDateTime lastAccess, TDateTime expires, const TCefSetCookieCallbackProc& callback) override {
    return SetCookie(url, name, value, domain, path, secure, httponly, hasExpires, creation, lastAccess, expires,
                     MakeRef<TCefFastSetCookieCallback>(callback));
  }
  bool DeleteCookies(const ustring& url, const ustring& cookieName,
                     const RefPtr<ICefDeleteCookiesCallback>& callback) override {
    return Call(&M::delete_cookies, url, cookieName, callback);
  }
  bool DeleteCookiesProc(const ustring& url, const ustring& cookieName,
                         const TCefDeleteCookiesCallbackProc& callback) override {
    return DeleteCookies(url, cookieName, MakeRef<TCefFastDeleteCookiesCallback>(callback));
  }
  bool SetStoragePath(const ustring& path, bool persistSessionCookies,
                      const RefPtr<ICefCompletionCallback>& callback) override {
    return Call(&M::set_storage_path, path, persistSessionCookies, callback);
  }
  bool SetStoragePathProc(const ustring& path, bool persistSessionCookies,
                          const TCefCompletionCallbackProc& callback) override {
    return SetStoragePath(path, persistSessionCookies, MakeRef<TCefFastCompletionCallback>(callback));
  }
  bool FlushStore(const RefPtr<ICefCompletionCallback>& callback) override { return Call(&M::flush_store, callback); }
  bool FlushStoreProc(const TCefCompletionCallbackProc& callback) override {
    return FlushStore(MakeRef<TCefFastCompletionCallback>(callback));
  }
};

}  // namespace

RefPtr<ICefCookieManager> ICefCookieManager::UnWrap(void* data) { return TCefCookieManagerRef::UnWrap(data); }

RefPtr<ICefCookieManager> ICefCookieManager::Global(const RefPtr<ICefCompletionCallback>& callback) {
  return CefInvoke(cef_cookie_manager_get_global_manager, callback);
}

RefPtr<ICefCookieManager> ICefCookieManager::GlobalProc(const TCefCompletionCallbackProc& callback) {
  return Global(MakeRef<TCefFastCompletionCallback>(callback));
}

RefPtr<ICefCookieManager> ICefCookieManager::New(const ustring& path, bool persistSessionCookies,
                                                 const RefPtr<ICefCompletionCallback>& callback) {
  return CefInvoke(cef_cookie_manager_create_manager, path, persistSessionCookies, callback);
}

RefPtr<ICefCookieManager> ICefCookieManager::NewProc(const ustring& path, bool persistSessionCookies,
                                                     const TCefCompletionCallbackProc& callback) {
  return New(path, persistSessionCookies, MakeRef<TCefFastCompletionCallback>(callback));
}

}  // namespace ceflib
