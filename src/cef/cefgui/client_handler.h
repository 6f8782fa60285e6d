#pragma once
// The client handed to the runtime with each browser: it makes its fourteen handlers up front,
// each forwarding to the one sink through a shared TEventsLink.

#include "cefgui/chromium_events.h"
#include "cefgui/events_link.h"

namespace cefgui {

class ICefClientHandler : public virtual ICefBase {
 public:
  // {E76F6888-D9C3-4FCE-9C23-E89659820A36}
  static constexpr GUID IID = {0xE76F6888, 0xD9C3, 0x4FCE, {0x9C, 0x23, 0xE8, 0x96, 0x59, 0x82, 0x0A, 0x36}};

  // Cuts the client and its handlers off from the sink: the runtime is then given no handler,
  // and handlers it already holds no longer reach the sink.
  virtual void Detach() = 0;
};

class TCustomClientHandler : public TCefClientOwn, public ICefClientHandler {
 public:
  // renderer: whether the client has an off-screen render handler.
  TCustomClientHandler(IChromiumEvents* events, bool renderer);

  RefPtr<ICefContextMenuHandler> GetContextMenuHandler() override;
  RefPtr<ICefDialogHandler> GetDialogHandler() override;
  RefPtr<ICefDisplayHandler> GetDisplayHandler() override;
  RefPtr<ICefDownloadHandler> GetDownloadHandler() override;
  RefPtr<ICefDragHandler> GetDragHandler() override;
  RefPtr<ICefFindHandler> GetFindHandler() override;
  RefPtr<ICefFocusHandler> GetFocusHandler() override;
  RefPtr<ICefGeolocationHandler> GetGeolocationHandler() override;
  RefPtr<ICefJsDialogHandler> GetJsdialogHandler() override;
  RefPtr<ICefKeyboardHandler> GetKeyboardHandler() override;
  RefPtr<ICefLifeSpanHandler> GetLifeSpanHandler() override;
  RefPtr<ICefRenderHandler> GetRenderHandler() override;
  RefPtr<ICefLoadHandler> GetLoadHandler() override;
  RefPtr<ICefRequestHandler> GetRequestHandler() override;
  bool OnProcessMessageReceived(const RefPtr<ICefBrowser>& browser, cef_process_id_t sourceProcess,
                                const RefPtr<ICefProcessMessage>& message) override;

  // Clears only the link to the sink: the runtime's loading threads may be inside a getter at
  // this moment, so the handlers themselves stay until the client goes.
  void Detach() override;

 private:
  // A handler while the sink is attached, nil afterwards.
  template <class I>
  RefPtr<I> WhileAttached(const RefPtr<I>& handler) const;

  const TEventsLinkPtr FEvents;
  RefPtr<ICefLoadHandler> FLoadHandler;
  RefPtr<ICefFocusHandler> FFocusHandler;
  RefPtr<ICefContextMenuHandler> FContextMenuHandler;
  RefPtr<ICefDialogHandler> FDialogHandler;
  RefPtr<ICefKeyboardHandler> FKeyboardHandler;
  RefPtr<ICefDisplayHandler> FDisplayHandler;
  RefPtr<ICefDownloadHandler> FDownloadHandler;
  RefPtr<ICefGeolocationHandler> FGeolocationHandler;
  RefPtr<ICefJsDialogHandler> FJsDialogHandler;
  RefPtr<ICefLifeSpanHandler> FLifeSpanHandler;
  RefPtr<ICefRenderHandler> FRenderHandler;
  RefPtr<ICefRequestHandler> FRequestHandler;
  RefPtr<ICefDragHandler> FDragHandler;
  RefPtr<ICefFindHandler> FFindHandler;
};

}  // namespace cefgui
