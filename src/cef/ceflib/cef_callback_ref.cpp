// TCefCallbackRef: ICefCallback over the runtime's cef_callback_t, one line per member.

#include "ceflib/cef_callback.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

class TCefCallbackRef final : public TCefRefOf<TCefCallbackRef, ICefCallback, cef_callback_t> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont() override { Call(&cef_callback_t::cont); }
  void Cancel() override { Call(&cef_callback_t::cancel); }
};

}  // namespace

RefPtr<ICefCallback> ICefCallback::UnWrap(void* data) { return TCefCallbackRef::UnWrap(data); }

}  // namespace ceflib
