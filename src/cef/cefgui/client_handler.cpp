#include "cefgui/client_handler.h"

#include "cefgui/handlers.h"

namespace cefgui {

TCustomClientHandler::TCustomClientHandler(IChromiumEvents* events, bool renderer)
    : FEvents(std::make_shared<TEventsLink>(events)),
      FLoadHandler(MakeRef<TCustomLoadHandler>(FEvents)),
      FFocusHandler(MakeRef<TCustomFocusHandler>(FEvents)),
      FContextMenuHandler(MakeRef<TCustomContextMenuHandler>(FEvents)),
      FDialogHandler(MakeRef<TCustomDialogHandler>(FEvents)),
      FKeyboardHandler(MakeRef<TCustomKeyboardHandler>(FEvents)),
      FDisplayHandler(MakeRef<TCustomDisplayHandler>(FEvents)),
      FDownloadHandler(MakeRef<TCustomDownloadHandler>(FEvents)),
      FGeolocationHandler(MakeRef<TCustomGeolocationHandler>(FEvents)),
      FJsDialogHandler(MakeRef<TCustomJsDialogHandler>(FEvents)),
      FLifeSpanHandler(MakeRef<TCustomLifeSpanHandler>(FEvents)),
      FRequestHandler(MakeRef<TCustomRequestHandler>(FEvents)),
      FDragHandler(MakeRef<TCustomDragHandler>(FEvents)),
      FFindHandler(MakeRef<TCustomFindHandler>(FEvents)) {
  if (renderer) FRenderHandler = MakeRef<TCustomRenderHandler>(FEvents);
}

template <class I>
RefPtr<I> TCustomClientHandler::WhileAttached(const RefPtr<I>& handler) const {
  return FEvents->Attached() ? handler : nullptr;
}

RefPtr<ICefContextMenuHandler> TCustomClientHandler::GetContextMenuHandler() {
  return WhileAttached(FContextMenuHandler);
}
RefPtr<ICefDialogHandler> TCustomClientHandler::GetDialogHandler() { return WhileAttached(FDialogHandler); }
RefPtr<ICefDisplayHandler> TCustomClientHandler::GetDisplayHandler() { return WhileAttached(FDisplayHandler); }
RefPtr<ICefDownloadHandler> TCustomClientHandler::GetDownloadHandler() { return WhileAttached(FDownloadHandler); }
RefPtr<ICefDragHandler> TCustomClientHandler::GetDragHandler() { return WhileAttached(FDragHandler); }
RefPtr<ICefFindHandler> TCustomClientHandler::GetFindHandler() { return WhileAttached(FFindHandler); }
RefPtr<ICefFocusHandler> TCustomClientHandler::GetFocusHandler() { return WhileAttached(FFocusHandler); }
RefPtr<ICefGeolocationHandler> TCustomClientHandler::GetGeolocationHandler() {
  return WhileAttached(FGeolocationHandler);
}
RefPtr<ICefJsDialogHandler> TCustomClientHandler::GetJsdialogHandler() { return WhileAttached(FJsDialogHandler); }
RefPtr<ICefKeyboardHandler> TCustomClientHandler::GetKeyboardHandler() { return WhileAttached(FKeyboardHandler); }
RefPtr<ICefLifeSpanHandler> TCustomClientHandler::GetLifeSpanHandler() { return WhileAttached(FLifeSpanHandler); }
RefPtr<ICefRenderHandler> TCustomClientHandler::GetRenderHandler() { return WhileAttached(FRenderHandler); }
RefPtr<ICefLoadHandler> TCustomClientHandler::GetLoadHandler() { return WhileAttached(FLoadHandler); }
RefPtr<ICefRequestHandler> TCustomClientHandler::GetRequestHandler() { return WhileAttached(FRequestHandler); }

bool TCustomClientHandler::OnProcessMessageReceived(const RefPtr<ICefBrowser>& browser,
                                                    cef_process_id_t sourceProcess,
                                                    const RefPtr<ICefProcessMessage>& message) {
  return FEvents->Send(&IChromiumEvents::HandleProcessMessageReceived, browser, sourceProcess, message);
}

void TCustomClientHandler::Detach() { FEvents->Detach(); }

}  // namespace cefgui
