// TCefAuthCallbackRef: ICefAuthCallback over cef_auth_callback_t, one line per member.

#include "ceflib/cef_auth_callback.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using A = cef_auth_callback_t;

class TCefAuthCallbackRef final : public TCefRefOf<TCefAuthCallbackRef, ICefAuthCallback, A> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont(const ustring& username, const ustring& password) override { Call(&A::cont, username, password); }
  void Cancel() override { Call(&A::cancel); }
};

}  // namespace

RefPtr<ICefAuthCallback> ICefAuthCallback::UnWrap(void* data) { return TCefAuthCallbackRef::UnWrap(data); }

}  // namespace ceflib
