// TCefRequestRef: ICefRequest over the runtime's cef_request_t, one line per member.

#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_request.h"

namespace ceflib {
namespace {

class TCefRequestRef final : public TCefRefOf<TCefRequestRef, ICefRequest, cef_request_t> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsReadOnly() override { return Call(&cef_request_t::is_read_only); }
  ustring GetUrl() override { return Call(&cef_request_t::get_url); }
  ustring GetMethod() override { return Call(&cef_request_t::get_method); }
  void SetUrl(const ustring& url) override { Call(&cef_request_t::set_url, url); }
  void SetMethod(const ustring& method) override { Call(&cef_request_t::set_method, method); }
  int GetFlags() override { return Call(&cef_request_t::get_flags); }
  void SetFlags(int flags) override { Call(&cef_request_t::set_flags, flags); }
  ustring GetFirstPartyForCookies() override { return Call(&cef_request_t::get_first_party_for_cookies); }
  void SetFirstPartyForCookies(const ustring& url) override { Call(&cef_request_t::set_first_party_for_cookies, url); }
  uint64_t GetIdentifier() override { return Call(&cef_request_t::get_identifier); }
};

}  // namespace

RefPtr<ICefRequest> ICefRequest::UnWrap(void* data) { return TCefRequestRef::UnWrap(data); }

}  // namespace ceflib
