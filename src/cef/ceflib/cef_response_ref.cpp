// TCefResponseRef: ICefResponse over the runtime's cef_response_t, one line per member.

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_response.h"
#include "ceflib/cef_string_map.h"

namespace ceflib {
namespace {

using R = cef_response_t;

class TCefResponseRef final : public TCefRefOf<TCefResponseRef, ICefResponse, R> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsReadOnly() override { return Call(&R::is_read_only); }
  int GetStatus() override { return Call(&R::get_status); }
  void SetStatus(int status) override { Call(&R::set_status, status); }
  ustring GetStatusText() override { return Call(&R::get_status_text); }
  void SetStatusText(const ustring& statusText) override { Call(&R::set_status_text, statusText); }
  ustring GetMimeType() override { return Call(&R::get_mime_type); }
  void SetMimeType(const ustring& mimeType) override { Call(&R::set_mime_type, mimeType); }
  ustring GetHeader(const ustring& name) override { return Call(&R::get_header, name); }
  void GetHeaderMap(ICefStringMultimap& headerMap) override { Call(&R::get_header_map, headerMap); }
  void SetHeaderMap(const ICefStringMultimap& headerMap) override { Call(&R::set_header_map, headerMap); }
};

}  // namespace

RefPtr<ICefResponse> ICefResponse::UnWrap(void* data) { return TCefResponseRef::UnWrap(data); }
RefPtr<ICefResponse> ICefResponse::New() { return CefInvoke(cef_response_create); }

}  // namespace ceflib
