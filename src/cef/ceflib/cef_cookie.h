#pragma once
// The cookie family (cef_cookie_manager_t and the visitor and callbacks its operations take):
// the manager is a runtime object reached through its wrapper; visitors and callbacks are ours,
// handed to the runtime, each with a Fast form around a closure. Every operation taking a
// callback has a Proc twin taking the closure instead.

#include <functional>

#include "ceflib/cef_base.h"
#include "ceflib/cef_callback.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

// The cookie's ten values, then its position among total, and the out flag asking the
// runtime to delete it. True to go on with the next cookie.
using TCefCookieVisitorProc = std::function<bool(
    const ustring& name, const ustring& value, const ustring& domain, const ustring& path, bool secure,
    bool httponly, bool hasExpires, TDateTime creation, TDateTime lastAccess, TDateTime expires, int count,
    int total, bool& deleteCookie)>;
using TCefSetCookieCallbackProc = std::function<void(bool success)>;
using TCefDeleteCookiesCallbackProc = std::function<void(int numDeleted)>;

class ICefCookieVisitor : public virtual ICefBase {
 public:
  virtual bool Visit(const ustring& name, const ustring& value, const ustring& domain, const ustring& path,
                     bool secure, bool httponly, bool hasExpires, TDateTime creation, TDateTime lastAccess,
                     TDateTime expires, int count, int total, bool& deleteCookie) = 0;
};

class ICefSetCookieCallback : public virtual ICefBase {
 public:
  virtual void OnComplete(bool success) = 0;
};

class ICefDeleteCookiesCallback : public virtual ICefBase {
 public:
  virtual void OnComplete(int numDeleted) = 0;
};

class ICefCookieManager : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefCookieManager> UnWrap(void* data);
  // The global manager; callback (may be nil) learns when its store is ready.
  static RefPtr<ICefCookieManager> Global(const RefPtr<ICefCompletionCallback>& callback);
  static RefPtr<ICefCookieManager> GlobalProc(const TCefCompletionCallbackProc& callback);
  // A new manager keeping its cookies in path (in memory only when path is empty).
  static RefPtr<ICefCookieManager> New(const ustring& path, bool persistSessionCookies,
                                       const RefPtr<ICefCompletionCallback>& callback);
  static RefPtr<ICefCookieManager> NewProc(const ustring& path, bool persistSessionCookies,
                                           const TCefCompletionCallbackProc& callback);

  virtual void SetSupportedSchemes(const ustringlist& schemes, const RefPtr<ICefCompletionCallback>& callback) = 0;
  virtual void SetSupportedSchemesProc(const ustringlist& schemes, const TCefCompletionCallbackProc& callback) = 0;
  virtual bool VisitAllCookies(const RefPtr<ICefCookieVisitor>& visitor) = 0;
  virtual bool VisitAllCookiesProc(const TCefCookieVisitorProc& visitor) = 0;
  virtual bool VisitUrlCookies(const ustring& url, bool includeHttpOnly, const RefPtr<ICefCookieVisitor>& visitor) = 0;
  virtual bool VisitUrlCookiesProc(const ustring& url, bool includeHttpOnly, const TCefCookieVisitorProc& visitor) = 0;
  // expires is sent only when hasExpires is true.
  virtual bool SetCookie(const ustring& url, const ustring& name, const ustring& value, const ustring& domain,
                         const ustring& path, bool secure, bool httponly, bool hasExpires, TDateTime creation,
                         TDateTime lastAccess, TDateTime expires, const RefPtr<ICefSetCookieCallback>& callback) = 0;
  virtual bool SetCookieProc(const ustring& url, const ustring& name, const ustring& value, const ustring& domain,
                             const ustring& path, bool secure, bool httponly, bool hasExpires, TDateTime creation,
                             TDateTime lastAccess, TDateTime expires, const TCefSetCookieCallbackProc& callback) = 0;
  virtual bool DeleteCookies(const ustring& url, const ustring& cookieName,
                             const RefPtr<ICefDeleteCookiesCallback>& callback) = 0;
  virtual bool DeleteCookiesProc(const ustring& url, const ustring& cookieName,
                                 const TCefDeleteCookiesCallbackProc& callback) = 0;
  virtual bool SetStoragePath(const ustring& path, bool persistSessionCookies,
                              const RefPtr<ICefCompletionCallback>& callback) = 0;
  virtual bool SetStoragePathProc(const ustring& path, bool persistSessionCookies,
                                  const TCefCompletionCallbackProc& callback) = 0;
  virtual bool FlushStore(const RefPtr<ICefCompletionCallback>& callback) = 0;
  virtual bool FlushStoreProc(const TCefCompletionCallbackProc& callback) = 0;
};

// Goes on through every cookie and deletes none.
class TCefCookieVisitorOwn : public TCefOwnOf<ICefCookieVisitor, cef_cookie_visitor_t> {
 public:
  TCefCookieVisitorOwn();
  bool Visit(const ustring& name, const ustring& value, const ustring& domain, const ustring& path, bool secure,
             bool httponly, bool hasExpires, TDateTime creation, TDateTime lastAccess, TDateTime expires, int count,
             int total, bool& deleteCookie) override;
};

// Subclasses supply OnComplete.
class TCefSetCookieCallbackOwn : public TCefOwnOf<ICefSetCookieCallback, cef_set_cookie_callback_t> {
 protected:
  TCefSetCookieCallbackOwn();
};

// Subclasses supply OnComplete.
class TCefDeleteCookiesCallbackOwn : public TCefOwnOf<ICefDeleteCookiesCallback, cef_delete_cookies_callback_t> {
 protected:
  TCefDeleteCookiesCallbackOwn();
};

class TCefFastCookieVisitor final : public TCefCookieVisitorOwn {
 public:
  explicit TCefFastCookieVisitor(TCefCookieVisitorProc visitor);
  bool Visit(const ustring& name, const ustring& value, const ustring& domain, const ustring& path, bool secure,
             bool httponly, bool hasExpires, TDateTime creation, TDateTime lastAccess, TDateTime expires, int count,
             int total, bool& deleteCookie) override;

 private:
  const TCefCookieVisitorProc FVisitor;
};

class TCefFastSetCookieCallback final : public TCefSetCookieCallbackOwn {
 public:
  explicit TCefFastSetCookieCallback(TCefSetCookieCallbackProc callback);
  void OnComplete(bool success) override;

 private:
  const TCefSetCookieCallbackProc FCallback;
};

class TCefFastDeleteCookiesCallback final : public TCefDeleteCookiesCallbackOwn {
 public:
  explicit TCefFastDeleteCookiesCallback(TCefDeleteCookiesCallbackProc callback);
  void OnComplete(int numDeleted) override;

 private:
  const TCefDeleteCookiesCallbackProc FCallback;
};

}  // namespace ceflib
