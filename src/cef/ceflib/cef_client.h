#pragma once
// The client (cef_client_t): ours, handed to the runtime with every browser; the runtime asks
// it for each handler (nil: the runtime works without that handler).

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefClient : public virtual ICefBase {
 public:
  virtual RefPtr<ICefContextMenuHandler> GetContextMenuHandler() = 0;
  virtual RefPtr<ICefDisplayHandler> GetDisplayHandler() = 0;
  virtual RefPtr<ICefDownloadHandler> GetDownloadHandler() = 0;
  virtual RefPtr<ICefFocusHandler> GetFocusHandler() = 0;
  virtual RefPtr<ICefGeolocationHandler> GetGeolocationHandler() = 0;
  virtual RefPtr<ICefJsDialogHandler> GetJsdialogHandler() = 0;
  virtual RefPtr<ICefKeyboardHandler> GetKeyboardHandler() = 0;
  virtual RefPtr<ICefLifeSpanHandler> GetLifeSpanHandler() = 0;
  virtual RefPtr<ICefLoadHandler> GetLoadHandler() = 0;
  virtual RefPtr<ICefRenderHandler> GetRenderHandler() = 0;
  virtual RefPtr<ICefRequestHandler> GetRequestHandler() = 0;
  virtual bool OnProcessMessageReceived(const RefPtr<ICefBrowser>& browser, cef_process_id_t sourceProcess,
                                        const RefPtr<ICefProcessMessage>& message) = 0;
};

// Gives no handler and handles no message. The dialog, drag and find handlers are reached only
// by the runtime, through the operations of this class.
class TCefClientOwn : public TCefOwnOf<ICefClient, cef_client_t> {
 public:
  TCefClientOwn();
  RefPtr<ICefContextMenuHandler> GetContextMenuHandler() override;
  virtual RefPtr<ICefDialogHandler> GetDialogHandler();
  RefPtr<ICefDisplayHandler> GetDisplayHandler() override;
  RefPtr<ICefDownloadHandler> GetDownloadHandler() override;
  virtual RefPtr<ICefDragHandler> GetDragHandler();
  virtual RefPtr<ICefFindHandler> GetFindHandler();
  RefPtr<ICefFocusHandler> GetFocusHandler() override;
  RefPtr<ICefGeolocationHandler> GetGeolocationHandler() override;
  RefPtr<ICefJsDialogHandler> GetJsdialogHandler() override;
  RefPtr<ICefKeyboardHandler> GetKeyboardHandler() override;
  RefPtr<ICefLifeSpanHandler> GetLifeSpanHandler() override;
  RefPtr<ICefLoadHandler> GetLoadHandler() override;
  RefPtr<ICefRenderHandler> GetRenderHandler() override;
  RefPtr<ICefRequestHandler> GetRequestHandler() override;
  bool OnProcessMessageReceived(const RefPtr<ICefBrowser>& browser, cef_process_id_t sourceProcess,
                                const RefPtr<ICefProcessMessage>& message) override;
};

}  // namespace ceflib
