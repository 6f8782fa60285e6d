// TCefJsDialogCallbackRef: ICefJsDialogCallback over cef_jsdialog_callback_t, one line per member.

#include "ceflib/cef_jsdialog_handler.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using J = cef_jsdialog_callback_t;

class TCefJsDialogCallbackRef final : public TCefRefOf<TCefJsDialogCallbackRef, ICefJsDialogCallback, J> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont(bool success, const ustring& userInput) override { Call(&J::cont, success, userInput); }
};

}  // namespace

RefPtr<ICefJsDialogCallback> ICefJsDialogCallback::UnWrap(void* data) { return TCefJsDialogCallbackRef::UnWrap(data); }

}  // namespace ceflib
