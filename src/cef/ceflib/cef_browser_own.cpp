// The callbacks the browser host's operations take, and their Fast forms.

#include "ceflib/cef_browser.h"
#include "ceflib/cef_navigation_entry.h"

namespace ceflib {

TCefRunFileDialogCallbackOwn::TCefRunFileDialogCallbackOwn() {
  Bind<&cef_run_file_dialog_callback_t::on_file_dialog_dismissed, &TCefRunFileDialogCallbackOwn::OnFileDialogDismissed>();
}

void TCefRunFileDialogCallbackOwn::OnFileDialogDismissed(int, const ustringlist&) {}

TCefNavigationEntryVisitorOwn::TCefNavigationEntryVisitorOwn() {
  Bind<&cef_navigation_entry_visitor_t::visit, &TCefNavigationEntryVisitorOwn::Visit>();
}

bool TCefNavigationEntryVisitorOwn::Visit(const RefPtr<ICefNavigationEntry>&, bool, int, int) { return false; }

TCefPdfPrintCallbackOwn::TCefPdfPrintCallbackOwn() {
  Bind<&cef_pdf_print_callback_t::on_pdf_print_finished, &ICefPdfPrintCallback::OnPdfPrintFinished>();
}

TCefFastRunFileDialogCallback::TCefFastRunFileDialogCallback(TCefRunFileDialogCallbackProc callback)
    : FCallback(std::move(callback)) {}

void TCefFastRunFileDialogCallback::OnFileDialogDismissed(int selectedAcceptFilter, const ustringlist& filePaths) {
  FCallback(selectedAcceptFilter, filePaths);
}

TCefFastNavigationEntryVisitor::TCefFastNavigationEntryVisitor(TCefNavigationEntryVisitorProc visitor)
    : FVisitor(std::move(visitor)) {}

bool TCefFastNavigationEntryVisitor::Visit(const RefPtr<ICefNavigationEntry>& entry, bool current, int index,
                                           int total) {
  return FVisitor(entry, current, index, total);
}

TCefFastPdfPrintCallback::TCefFastPdfPrintCallback(TOnPdfPrintFinishedProc proc) : FProc(std::move(proc)) {}

void TCefFastPdfPrintCallback::OnPdfPrintFinished(const ustring& path, bool ok) { FProc(path, ok); }

}  // namespace ceflib
