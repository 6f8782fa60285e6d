#include "ceflib/cef_resource_handler.h"

#include "ceflib/cef_string_out.h"

namespace ceflib {
namespace {

// redirectUrl is replaced only when the handler leaves it non-empty.
void CEF_CALLBACK GetResponseHeadersCallback(cef_resource_handler_t* self, cef_response_t* response,
                                             int64* responseLength, cef_string_t* redirectUrl) noexcept {
  try {
    auto* owner = static_cast<TCefResourceHandlerOwn*>(TCefBaseOwn::OwnerOf(self));
    RefPtr<ICefResponse> wrapped = ICefResponse::UnWrap(response);
    TCefStringReplaceWhenGiven redirect(redirectUrl);
    int64 unusedLength = 0;
    owner->GetResponseHeaders(wrapped, responseLength ? *responseLength : unusedLength, redirect.Value());
    redirect.Commit();
  } catch (...) {
    // Nothing may unwind into the runtime.
  }
}

}  // namespace

TCefResourceHandlerOwn::TCefResourceHandlerOwn(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                               const ustring&, const RefPtr<ICefRequest>&) {
  Bind<&cef_resource_handler_t::process_request, &TCefResourceHandlerOwn::ProcessRequest>();
  Data()->get_response_headers = GetResponseHeadersCallback;
  Bind<&cef_resource_handler_t::read_response, &TCefResourceHandlerOwn::ReadResponse>();
  Bind<&cef_resource_handler_t::can_get_cookie, &TCefResourceHandlerOwn::CanGetCookie>();
  Bind<&cef_resource_handler_t::can_set_cookie, &TCefResourceHandlerOwn::CanSetCookie>();
  Bind<&cef_resource_handler_t::cancel, &TCefResourceHandlerOwn::Cancel>();
}

bool TCefResourceHandlerOwn::ProcessRequest(const RefPtr<ICefRequest>&, const RefPtr<ICefCallback>&) { return false; }

void TCefResourceHandlerOwn::GetResponseHeaders(const RefPtr<ICefResponse>&, int64_t&, ustring&) {}

bool TCefResourceHandlerOwn::ReadResponse(void*, int, int&, const RefPtr<ICefCallback>&) { return false; }

bool TCefResourceHandlerOwn::CanGetCookie(const cef_cookie_t*) { return false; }

bool TCefResourceHandlerOwn::CanSetCookie(const cef_cookie_t*) { return false; }

void TCefResourceHandlerOwn::Cancel() {}

}  // namespace ceflib
