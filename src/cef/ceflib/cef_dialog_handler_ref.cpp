// TCefFileDialogCallbackRef: ICefFileDialogCallback over cef_file_dialog_callback_t.

#include "ceflib/cef_dialog_handler.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using F = cef_file_dialog_callback_t;

class TCefFileDialogCallbackRef final : public TCefRefOf<TCefFileDialogCallbackRef, ICefFileDialogCallback, F> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont(int selectedAcceptFilter, const ustringlist& filePaths) override {
    Call(&F::cont, selectedAcceptFilter, filePaths);
  }
  void Cancel() override { Call(&F::cancel); }
};

}  // namespace

RefPtr<ICefFileDialogCallback> ICefFileDialogCallback::UnWrap(void* data) {
  return TCefFileDialogCallbackRef::UnWrap(data);
}

}  // namespace ceflib
