#pragma once
// The JavaScript dialog family (cef_jsdialog_handler_t and its callback): the handler is ours,
// handed to the runtime by a client; the callback is a runtime object reached through its
// wrapper.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefJsDialogCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefJsDialogCallback> UnWrap(void* data);

  virtual void Cont(bool success, const ustring& userInput) = 0;
};

class ICefJsDialogHandler : public virtual ICefBase {
 public:
  // suppressMessage comes in as the runtime's value and goes back as the handler leaves it.
  virtual bool OnJsdialog(const RefPtr<ICefBrowser>& browser, const ustring& originUrl, const ustring& acceptLang,
                          cef_jsdialog_type_t dialogType, const ustring& messageText,
                          const ustring& defaultPromptText, const RefPtr<ICefJsDialogCallback>& callback,
                          bool& suppressMessage) = 0;
  virtual bool OnBeforeUnloadDialog(const RefPtr<ICefBrowser>& browser, const ustring& messageText, bool isReload,
                                    const RefPtr<ICefJsDialogCallback>& callback) = 0;
  virtual void OnResetDialogState(const RefPtr<ICefBrowser>& browser) = 0;
  virtual void OnDialogClosed(const RefPtr<ICefBrowser>& browser) = 0;
};

// Shows no dialog of its own: the truth-valued operations return false, the others do nothing.
class TCefJsDialogHandlerOwn : public TCefOwnOf<ICefJsDialogHandler, cef_jsdialog_handler_t> {
 public:
  TCefJsDialogHandlerOwn();
  bool OnJsdialog(const RefPtr<ICefBrowser>& browser, const ustring& originUrl, const ustring& acceptLang,
                  cef_jsdialog_type_t dialogType, const ustring& messageText, const ustring& defaultPromptText,
                  const RefPtr<ICefJsDialogCallback>& callback, bool& suppressMessage) override;
  bool OnBeforeUnloadDialog(const RefPtr<ICefBrowser>& browser, const ustring& messageText, bool isReload,
                            const RefPtr<ICefJsDialogCallback>& callback) override;
  void OnResetDialogState(const RefPtr<ICefBrowser>& browser) override;
  void OnDialogClosed(const RefPtr<ICefBrowser>& browser) override;
};

}  // namespace ceflib
