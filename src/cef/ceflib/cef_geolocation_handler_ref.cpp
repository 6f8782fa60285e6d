// TCefGeolocationCallbackRef: ICefGeolocationCallback over cef_geolocation_callback_t.

#include "ceflib/cef_geolocation_handler.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using G = cef_geolocation_callback_t;

class TCefGeolocationCallbackRef final : public TCefRefOf<TCefGeolocationCallbackRef, ICefGeolocationCallback, G> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont(bool allow) override { Call(&G::cont, allow); }
};

}  // namespace

RefPtr<ICefGeolocationCallback> ICefGeolocationCallback::UnWrap(void* data) {
  return TCefGeolocationCallbackRef::UnWrap(data);
}

}  // namespace ceflib
