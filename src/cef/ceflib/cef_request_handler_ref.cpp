// TCefRequestCallbackRef: ICefRequestCallback over cef_request_callback_t, one line per member.

#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_request_handler.h"

namespace ceflib {
namespace {

using R = cef_request_callback_t;

class TCefRequestCallbackRef final : public TCefRefOf<TCefRequestCallbackRef, ICefRequestCallback, R> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont(bool allow) override { Call(&R::cont, allow); }
  void Cancel() override { Call(&R::cancel); }
};

}  // namespace

RefPtr<ICefRequestCallback> ICefRequestCallback::UnWrap(void* data) { return TCefRequestCallbackRef::UnWrap(data); }

}  // namespace ceflib
