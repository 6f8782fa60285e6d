// TCefProcessMessageRef: ICefProcessMessage over cef_process_message_t, one line per member.

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_process_message.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_values.h"

namespace ceflib {
namespace {

using P = cef_process_message_t;

class TCefProcessMessageRef final : public TCefRefOf<TCefProcessMessageRef, ICefProcessMessage, P> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&P::is_valid); }
  bool IsReadOnly() override { return Call(&P::is_read_only); }
  RefPtr<ICefProcessMessage> Copy() override { return Call(&P::copy); }
  ustring GetName() override { return Call(&P::get_name); }
  RefPtr<ICefListValue> GetArgumentList() override { return Call(&P::get_argument_list); }
};

}  // namespace

RefPtr<ICefProcessMessage> ICefProcessMessage::UnWrap(void* data) { return TCefProcessMessageRef::UnWrap(data); }
RefPtr<ICefProcessMessage> ICefProcessMessage::New(const ustring& name) {
  return CefInvoke(cef_process_message_create, name);
}

}  // namespace ceflib
