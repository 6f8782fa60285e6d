// TCefResponseRef: ICefResponse over the runtime's cef_response_t, one line per member.

#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_response.h"

namespace ceflib {
namespace {

class TCefResponseRef final : public TCefRefOf<TCefResponseRef, ICefResponse, cef_response_t> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsReadOnly() override { return Call(&cef_response_t::is_read_only); }
  int GetStatus() override { return Call(&cef_response_t::get_status); }
  void SetStatus(int status) override { Call(&cef_response_t::set_status, status); }
  ustring GetStatusText() override { return Call(&cef_response_t::get_status_text); }
  void SetStatusText(const ustring& statusText) override { Call(&cef_response_t::set_status_text, statusText); }
  ustring GetMimeType() override { return Call(&cef_response_t::get_mime_type); }
  void SetMimeType(const ustring& mimeType) override { Call(&cef_response_t::set_mime_type, mimeType); }
  ustring GetHeader(const ustring& name) override { return Call(&cef_response_t::get_header, name); }
};

}  // namespace

RefPtr<ICefResponse> ICefResponse::UnWrap(void* data) { return TCefResponseRef::UnWrap(data); }

}  // namespace ceflib
