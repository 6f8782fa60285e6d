#pragma once
// The context menu family (cef_context_menu_handler_t, cef_context_menu_params_t,
// cef_run_context_menu_callback_t): the handler is ours, handed to the runtime by a client; the
// menu's parameters and the callback are runtime objects reached through their wrappers.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefRunContextMenuCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefRunContextMenuCallback> UnWrap(void* data);

  virtual void Cont(int commandId, cef_event_flags_t eventFlags) = 0;
  virtual void Cancel() = 0;
};

class ICefContextMenuParams : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefContextMenuParams> UnWrap(void* data);

  virtual int GetXcoord() = 0;
  virtual int GetYcoord() = 0;
  virtual cef_context_menu_type_flags_t GetTypeFlags() = 0;
  virtual ustring GetLinkUrl() = 0;
  virtual ustring GetUnfilteredLinkUrl() = 0;
  virtual ustring GetSourceUrl() = 0;
  virtual bool HasImageContents() = 0;
  virtual ustring GetPageUrl() = 0;
  virtual ustring GetFrameUrl() = 0;
  virtual ustring GetFrameCharset() = 0;
  virtual cef_context_menu_media_type_t GetMediaType() = 0;
  virtual cef_context_menu_media_state_flags_t GetMediaStateFlags() = 0;
  virtual ustring GetSelectionText() = 0;
  virtual ustring GetMisspelledWord() = 0;
  // Appends the suggestions to suggestions.
  virtual bool GetDictionarySuggestions(ustringlist& suggestions) = 0;
  virtual bool IsEditable() = 0;
  virtual bool IsSpellCheckEnabled() = 0;
  virtual cef_context_menu_edit_state_flags_t GetEditStateFlags() = 0;
  virtual bool IsCustomMenu() = 0;
  virtual bool IsPepperMenu() = 0;
};

class ICefContextMenuHandler : public virtual ICefBase {
 public:
  virtual void OnBeforeContextMenu(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                   const RefPtr<ICefContextMenuParams>& params,
                                   const RefPtr<ICefMenuModel>& model) = 0;
  virtual bool RunContextMenu(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                              const RefPtr<ICefContextMenuParams>& params, const RefPtr<ICefMenuModel>& model,
                              const RefPtr<ICefRunContextMenuCallback>& callback) = 0;
  virtual bool OnContextMenuCommand(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                                    const RefPtr<ICefContextMenuParams>& params, int commandId,
                                    cef_event_flags_t eventFlags) = 0;
  virtual void OnContextMenuDismissed(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame) = 0;
};

// Leaves the menu to the runtime: the truth-valued operations return false, the others do nothing.
class TCefContextMenuHandlerOwn : public TCefOwnOf<ICefContextMenuHandler, cef_context_menu_handler_t> {
 public:
  TCefContextMenuHandlerOwn();
  void OnBeforeContextMenu(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                           const RefPtr<ICefContextMenuParams>& params, const RefPtr<ICefMenuModel>& model) override;
  bool RunContextMenu(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                      const RefPtr<ICefContextMenuParams>& params, const RefPtr<ICefMenuModel>& model,
                      const RefPtr<ICefRunContextMenuCallback>& callback) override;
  bool OnContextMenuCommand(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                            const RefPtr<ICefContextMenuParams>& params, int commandId,
                            cef_event_flags_t eventFlags) override;
  void OnContextMenuDismissed(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame) override;
};

}  // namespace ceflib
