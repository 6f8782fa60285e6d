#pragma once
// The runtime's cookie manager object over a cookie store. Every operation runs on the IO
// thread, as do the visitors and completion callbacks it is given.

#include "cookie_store.h"
#include "runtime_object.h"

#include <functional>
#include <memory>

namespace standin {

class TCookieManager final : public TRuntimeStruct<TCookieManager, cef_cookie_manager_t> {
 public:
  // engine: the store is the global one, which an installed Chromium's cookies follow.
  TCookieManager(std::shared_ptr<cookies::TCookieStore> store, bool engine);
  const std::shared_ptr<cookies::TCookieStore>& Store() const { return FStore; }

 private:
  static void CEF_CALLBACK SetSupportedSchemes(cef_cookie_manager_t* self, cef_string_list_t schemes,
                                               cef_completion_callback_t* callback);
  static int CEF_CALLBACK VisitAllCookies(cef_cookie_manager_t* self, cef_cookie_visitor_t* visitor);
  static int CEF_CALLBACK VisitUrlCookies(cef_cookie_manager_t* self, const cef_string_t* url, int include_http_only,
                                          cef_cookie_visitor_t* visitor);
  static int CEF_CALLBACK SetCookie(cef_cookie_manager_t* self, const cef_string_t* url, const cef_cookie_t* cookie,
                                    cef_set_cookie_callback_t* callback);
  static int CEF_CALLBACK DeleteCookies(cef_cookie_manager_t* self, const cef_string_t* url,
                                        const cef_string_t* cookie_name, cef_delete_cookies_callback_t* callback);
  static int CEF_CALLBACK SetStoragePath(cef_cookie_manager_t* self, const cef_string_t* path,
                                         int persist_session_cookies, cef_completion_callback_t* callback);
  static int CEF_CALLBACK FlushStore(cef_cookie_manager_t* self, cef_completion_callback_t* callback);

  std::shared_ptr<cookies::TCookieStore> FStore;
  bool FEngine;
};

// Runs work on the IO thread; false (and the work dropped) when the runtime is not running.
bool PostCookieWork(std::function<void()> work);
// Tells a completion callback on the IO thread (nothing for null).
void CompleteOnIo(cef_completion_callback_t* callback);

}  // namespace standin
