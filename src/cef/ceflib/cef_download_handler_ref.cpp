// TCefBeforeDownloadCallbackRef and TCefDownloadItemCallbackRef over cef_before_download_callback_t
// and cef_download_item_callback_t, one line per member.

#include "ceflib/cef_download_handler.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

using B = cef_before_download_callback_t;

class TCefBeforeDownloadCallbackRef final
    : public TCefRefOf<TCefBeforeDownloadCallbackRef, ICefBeforeDownloadCallback, B> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cont(const ustring& downloadPath, bool showDialog) override { Call(&B::cont, downloadPath, showDialog); }
};

using D = cef_download_item_callback_t;

class TCefDownloadItemCallbackRef final : public TCefRefOf<TCefDownloadItemCallbackRef, ICefDownloadItemCallback, D> {
 public:
  using TCefRefOf::TCefRefOf;
  void Cancel() override { Call(&D::cancel); }
  void Pause() override { Call(&D::pause); }
  void Resume() override { Call(&D::resume); }
};

}  // namespace

RefPtr<ICefBeforeDownloadCallback> ICefBeforeDownloadCallback::UnWrap(void* data) {
  return TCefBeforeDownloadCallbackRef::UnWrap(data);
}

RefPtr<ICefDownloadItemCallback> ICefDownloadItemCallback::UnWrap(void* data) {
  return TCefDownloadItemCallbackRef::UnWrap(data);
}

}  // namespace ceflib
