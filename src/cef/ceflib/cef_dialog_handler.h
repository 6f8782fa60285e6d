#pragma once
// The file dialog family (cef_dialog_handler_t and its callback): the handler is ours, handed
// to the runtime by a client; the callback is a runtime object reached through its wrapper.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefFileDialogCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefFileDialogCallback> UnWrap(void* data);

  virtual void Cont(int selectedAcceptFilter, const ustringlist& filePaths) = 0;
  virtual void Cancel() = 0;
};

class ICefDialogHandler : public virtual ICefBase {
 public:
  virtual bool OnFileDialog(const RefPtr<ICefBrowser>& browser, cef_file_dialog_mode_t mode, const ustring& title,
                            const ustring& defaultFilePath, const ustringlist& acceptFilters,
                            int selectedAcceptFilter, const RefPtr<ICefFileDialogCallback>& callback) = 0;
};

// Leaves the dialog to the runtime: returns false.
class TCefDialogHandlerOwn : public TCefOwnOf<ICefDialogHandler, cef_dialog_handler_t> {
 public:
  TCefDialogHandlerOwn();
  bool OnFileDialog(const RefPtr<ICefBrowser>& browser, cef_file_dialog_mode_t mode, const ustring& title,
                    const ustring& defaultFilePath, const ustringlist& acceptFilters, int selectedAcceptFilter,
                    const RefPtr<ICefFileDialogCallback>& callback) override;
};

}  // namespace ceflib
