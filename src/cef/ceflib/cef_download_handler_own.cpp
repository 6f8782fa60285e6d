#include "ceflib/cef_browser.h"
#include "ceflib/cef_download_handler.h"

namespace ceflib {

TCefDownloadHandlerOwn::TCefDownloadHandlerOwn() {
  Bind<&cef_download_handler_t::on_before_download, &TCefDownloadHandlerOwn::OnBeforeDownload>();
  Bind<&cef_download_handler_t::on_download_updated, &TCefDownloadHandlerOwn::OnDownloadUpdated>();
}

void TCefDownloadHandlerOwn::OnBeforeDownload(const RefPtr<ICefBrowser>&, const RefPtr<ICefDownloadItem>&,
                                              const ustring&, const RefPtr<ICefBeforeDownloadCallback>&) {}

void TCefDownloadHandlerOwn::OnDownloadUpdated(const RefPtr<ICefBrowser>&, const RefPtr<ICefDownloadItem>&,
                                               const RefPtr<ICefDownloadItemCallback>&) {}

}  // namespace ceflib
