#pragma once
// The fourteen handlers a client hands to the runtime. Each override does one thing: pass the
// runtime's callback, arguments as they came, to the sink's operation and hand back its answer
// (`&` arguments by reference, so what the sink writes reaches the runtime).

#include "cefgui/events_link.h"

namespace cefgui {

// Every handler reaches the sink only through the client's link.
template <class Own>
class TForwardingHandler : public Own {
 public:
  explicit TForwardingHandler(TEventsLinkPtr events) : FEvent(std::move(events)) {}

 protected:
  using Browser = const RefPtr<ICefBrowser>&;
  using Frame = const RefPtr<ICefFrame>&;
  using Request = const RefPtr<ICefRequest>&;
  using E = IChromiumEvents;

  const TEventsLinkPtr FEvent;
};

class TCustomLoadHandler final : public TForwardingHandler<TCefLoadHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  void OnLoadingStateChange(Browser browser, bool isLoading, bool canGoBack, bool canGoForward) override {
    FEvent->Send(&E::HandleLoadingStateChange, browser, isLoading, canGoBack, canGoForward);
  }
  void OnLoadStart(Browser browser, Frame frame) override { FEvent->Send(&E::HandleLoadStart, browser, frame); }
  void OnLoadEnd(Browser browser, Frame frame, int httpStatusCode) override {
    FEvent->Send(&E::HandleLoadEnd, browser, frame, httpStatusCode);
  }
  void OnLoadError(Browser browser, Frame frame, cef_errorcode_t errorCode, const ustring& errorText,
                   const ustring& failedUrl) override {
    FEvent->Send(&E::HandleLoadError, browser, frame, errorCode, errorText, failedUrl);
  }
};

class TCustomFocusHandler final : public TForwardingHandler<TCefFocusHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  void OnTakeFocus(Browser browser, bool next) override { FEvent->Send(&E::HandleTakeFocus, browser, next); }
  bool OnSetFocus(Browser browser, cef_focus_source_t source) override {
    return FEvent->Send(&E::HandleSetFocus, browser, source);
  }
  void OnGotFocus(Browser browser) override { FEvent->Send(&E::HandleGotFocus, browser); }
};

// RunContextMenu is left to the base: the runtime shows its own menu.
class TCustomContextMenuHandler final : public TForwardingHandler<TCefContextMenuHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  void OnBeforeContextMenu(Browser browser, Frame frame, const RefPtr<ICefContextMenuParams>& params,
                           const RefPtr<ICefMenuModel>& model) override {
    FEvent->Send(&E::HandleBeforeContextMenu, browser, frame, params, model);
  }
  bool OnContextMenuCommand(Browser browser, Frame frame, const RefPtr<ICefContextMenuParams>& params, int commandId,
                            cef_event_flags_t eventFlags) override {
    return FEvent->Send(&E::HandleContextMenuCommand, browser, frame, params, commandId, eventFlags);
  }
  void OnContextMenuDismissed(Browser browser, Frame frame) override {
    FEvent->Send(&E::HandleContextMenuDismissed, browser, frame);
  }
};

class TCustomKeyboardHandler final : public TForwardingHandler<TCefKeyboardHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool OnPreKeyEvent(Browser browser, const cef_key_event_t* event, cef_event_handle_t osEvent,
                     bool& isKeyboardShortcut) override {
    return FEvent->Send(&E::HandlePreKeyEvent, browser, event, osEvent, isKeyboardShortcut);
  }
  bool OnKeyEvent(Browser browser, const cef_key_event_t* event, cef_event_handle_t osEvent) override {
    return FEvent->Send(&E::HandleKeyEvent, browser, event, osEvent);
  }
};

class TCustomDisplayHandler final : public TForwardingHandler<TCefDisplayHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  void OnAddressChange(Browser browser, Frame frame, const ustring& url) override {
    FEvent->Send(&E::HandleAddressChange, browser, frame, url);
  }
  void OnTitleChange(Browser browser, const ustring& title) override {
    FEvent->Send(&E::HandleTitleChange, browser, title);
  }
  void OnFaviconUrlchange(Browser browser, const ustringlist& iconUrls) override {
    FEvent->Send(&E::HandleFavIconUrlChange, browser, iconUrls);
  }
  void OnFullscreenModeChange(Browser browser, bool fullscreen) override {
    FEvent->Send(&E::HandleFullScreenModeChange, browser, fullscreen);
  }
  bool OnTooltip(Browser browser, ustring& text) override { return FEvent->Send(&E::HandleTooltip, browser, text); }
  void OnStatusMessage(Browser browser, const ustring& value) override {
    FEvent->Send(&E::HandleStatusMessage, browser, value);
  }
  bool OnConsoleMessage(Browser browser, const ustring& message, const ustring& source, int line) override {
    return FEvent->Send(&E::HandleConsoleMessage, browser, message, source, line);
  }
};

class TCustomGeolocationHandler final : public TForwardingHandler<TCefGeolocationHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool OnRequestGeolocationPermission(Browser browser, const ustring& requestingUrl, int requestId,
                                      const RefPtr<ICefGeolocationCallback>& callback) override {
    return FEvent->Send(&E::HandleRequestGeolocationPermission, browser, requestingUrl, requestId, callback);
  }
  void OnCancelGeolocationPermission(Browser browser, const ustring& requestingUrl, int requestId) override {
    FEvent->Send(&E::HandleCancelGeolocationPermission, browser, requestingUrl, requestId);
  }
};

class TCustomDownloadHandler final : public TForwardingHandler<TCefDownloadHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  void OnBeforeDownload(Browser browser, const RefPtr<ICefDownloadItem>& downloadItem, const ustring& suggestedName,
                        const RefPtr<ICefBeforeDownloadCallback>& callback) override {
    FEvent->Send(&E::HandleBeforeDownload, browser, downloadItem, suggestedName, callback);
  }
  void OnDownloadUpdated(Browser browser, const RefPtr<ICefDownloadItem>& downloadItem,
                         const RefPtr<ICefDownloadItemCallback>& callback) override {
    FEvent->Send(&E::HandleDownloadUpdated, browser, downloadItem, callback);
  }
};

class TCustomJsDialogHandler final : public TForwardingHandler<TCefJsDialogHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool OnJsdialog(Browser browser, const ustring& originUrl, const ustring& acceptLang, cef_jsdialog_type_t dialogType,
                  const ustring& messageText, const ustring& defaultPromptText,
                  const RefPtr<ICefJsDialogCallback>& callback, bool& suppressMessage) override {
    return FEvent->Send(&E::HandleJsdialog, browser, originUrl, acceptLang, dialogType, messageText,
                        defaultPromptText, callback, suppressMessage);
  }
  bool OnBeforeUnloadDialog(Browser browser, const ustring& messageText, bool isReload,
                            const RefPtr<ICefJsDialogCallback>& callback) override {
    return FEvent->Send(&E::HandleBeforeUnloadDialog, browser, messageText, isReload, callback);
  }
  void OnResetDialogState(Browser browser) override { FEvent->Send(&E::HandleResetDialogState, browser); }
  void OnDialogClosed(Browser browser) override { FEvent->Send(&E::HandleDialogClosed, browser); }
};

class TCustomLifeSpanHandler final : public TForwardingHandler<TCefLifeSpanHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool OnBeforePopup(Browser browser, Frame frame, const ustring& targetUrl, const ustring& targetFrameName,
                     cef_window_open_disposition_t targetDisposition, bool userGesture,
                     const cef_popup_features_t* popupFeatures, cef_window_info_t* windowInfo,
                     RefPtr<ICefClient>& client, cef_browser_settings_t* settings,
                     bool& noJavascriptAccess) override {
    return FEvent->Send(&E::HandleBeforePopup, browser, frame, targetUrl, targetFrameName, targetDisposition,
                        userGesture, popupFeatures, windowInfo, client, settings, noJavascriptAccess);
  }
  void OnAfterCreated(Browser browser) override { FEvent->Send(&E::HandleAfterCreated, browser); }
  bool RunModal(Browser browser) override { return FEvent->Send(&E::HandleRunModal, browser); }
  bool DoClose(Browser browser) override { return FEvent->Send(&E::HandleClose, browser); }
  void OnBeforeClose(Browser browser) override { FEvent->Send(&E::HandleBeforeClose, browser); }
};

class TCustomRequestHandler final : public TForwardingHandler<TCefRequestHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool OnBeforeBrowse(Browser browser, Frame frame, Request request, bool isRedirect) override {
    return FEvent->Send(&E::HandleBeforeBrowse, browser, frame, request, isRedirect);
  }
  bool OnOpenUrlfromTab(Browser browser, Frame frame, const ustring& targetUrl,
                        cef_window_open_disposition_t targetDisposition, bool userGesture) override {
    return FEvent->Send(&E::HandleOpenUrlFromTab, browser, frame, targetUrl, targetDisposition, userGesture);
  }
  cef_return_value_t OnBeforeResourceLoad(Browser browser, Frame frame, Request request,
                                          const RefPtr<ICefRequestCallback>& callback) override {
    return FEvent->Send(&E::HandleBeforeResourceLoad, browser, frame, request, callback);
  }
  RefPtr<ICefResourceHandler> GetResourceHandler(Browser browser, Frame frame, Request request) override {
    return FEvent->Send(&E::HandleGetResourceHandler, browser, frame, request);
  }
  void OnResourceRedirect(Browser browser, Frame frame, Request request, ustring& newUrl) override {
    FEvent->Send(&E::HandleResourceRedirect, browser, frame, request, newUrl);
  }
  bool OnResourceResponse(Browser browser, Frame frame, Request request,
                          const RefPtr<ICefResponse>& response) override {
    return FEvent->Send(&E::HandleResourceResponse, browser, frame, request, response);
  }
  bool GetAuthCredentials(Browser browser, Frame frame, bool isProxy, const ustring& host, int port,
                          const ustring& realm, const ustring& scheme,
                          const RefPtr<ICefAuthCallback>& callback) override {
    return FEvent->Send(&E::HandleGetAuthCredentials, browser, frame, isProxy, host, port, realm, scheme, callback);
  }
  bool OnQuotaRequest(Browser browser, const ustring& originUrl, int64_t newSize,
                      const RefPtr<ICefRequestCallback>& callback) override {
    return FEvent->Send(&E::HandleQuotaRequest, browser, originUrl, newSize, callback);
  }
  void OnProtocolExecution(Browser browser, const ustring& url, bool& allowOsExecution) override {
    FEvent->Send(&E::HandleProtocolExecution, browser, url, allowOsExecution);
  }
  bool OnCertificateError(Browser browser, cef_errorcode_t certError, const ustring& requestUrl,
                          const RefPtr<ICefSslInfo>& sslInfo, const RefPtr<ICefRequestCallback>& callback) override {
    return FEvent->Send(&E::HandleCertificateError, browser, certError, requestUrl, sslInfo, callback);
  }
  void OnPluginCrashed(Browser browser, const ustring& pluginPath) override {
    FEvent->Send(&E::HandlePluginCrashed, browser, pluginPath);
  }
  void OnRenderViewReady(Browser browser) override { FEvent->Send(&E::HandleRenderViewReady, browser); }
  void OnRenderProcessTerminated(Browser browser, cef_termination_status_t status) override {
    FEvent->Send(&E::HandleRenderProcessTerminated, browser, status);
  }
};

class TCustomDialogHandler final : public TForwardingHandler<TCefDialogHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool OnFileDialog(Browser browser, cef_file_dialog_mode_t mode, const ustring& title, const ustring& defaultFilePath,
                    const ustringlist& acceptFilters, int selectedAcceptFilter,
                    const RefPtr<ICefFileDialogCallback>& callback) override {
    return FEvent->Send(&E::HandleFileDialog, browser, mode, title, defaultFilePath, acceptFilters,
                        selectedAcceptFilter, callback);
  }
};

class TCustomRenderHandler final : public TForwardingHandler<TCefRenderHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool GetRootScreenRect(Browser browser, cef_rect_t* rect) override {
    return FEvent->Send(&E::HandleGetRootScreenRect, browser, rect);
  }
  bool GetViewRect(Browser browser, cef_rect_t* rect) override {
    return FEvent->Send(&E::HandleGetViewRect, browser, rect);
  }
  bool GetScreenPoint(Browser browser, int viewX, int viewY, int& screenX, int& screenY) override {
    return FEvent->Send(&E::HandleGetScreenPoint, browser, viewX, viewY, screenX, screenY);
  }
  bool GetScreenInfo(Browser browser, cef_screen_info_t* screenInfo) override {
    return FEvent->Send(&E::HandleGetScreenInfo, browser, screenInfo);
  }
  void OnPopupShow(Browser browser, bool show) override { FEvent->Send(&E::HandlePopupShow, browser, show); }
  void OnPopupSize(Browser browser, const cef_rect_t* rect) override {
    FEvent->Send(&E::HandlePopupSize, browser, rect);
  }
  void OnPaint(Browser browser, cef_paint_element_type_t type, size_t dirtyRectsCount, const cef_rect_t* dirtyRects,
               const void* buffer, int width, int height) override {
    FEvent->Send(&E::HandlePaint, browser, type, dirtyRectsCount, dirtyRects, buffer, width, height);
  }
  void OnCursorChange(Browser browser, cef_cursor_handle_t cursor, cef_cursor_type_t type,
                      const cef_cursor_info_t* customCursorInfo) override {
    FEvent->Send(&E::HandleCursorChange, browser, cursor, type, customCursorInfo);
  }
  bool StartDragging(Browser browser, const RefPtr<ICefDragData>& dragData, cef_drag_operations_mask_t allowedOps,
                     int x, int y) override {
    return FEvent->Send(&E::HandleStartDragging, browser, dragData, allowedOps, x, y);
  }
  void UpdateDragCursor(Browser browser, cef_drag_operations_mask_t operation) override {
    FEvent->Send(&E::HandleUpdateDragCursor, browser, operation);
  }
  void OnScrollOffsetChanged(Browser browser, double x, double y) override {
    FEvent->Send(&E::HandleScrollOffsetChanged, browser, x, y);
  }
};

class TCustomDragHandler final : public TForwardingHandler<TCefDragHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  bool OnDragEnter(Browser browser, const RefPtr<ICefDragData>& dragData, cef_drag_operations_mask_t mask) override {
    return FEvent->Send(&E::HandleDragEnter, browser, dragData, mask);
  }
  void OnDraggableRegionsChanged(Browser browser, size_t regionsCount,
                                 const cef_draggable_region_t* regions) override {
    FEvent->Send(&E::HandleDraggableRegionsChanged, browser, regionsCount, regions);
  }
};

class TCustomFindHandler final : public TForwardingHandler<TCefFindHandlerOwn> {
 public:
  using TForwardingHandler::TForwardingHandler;
  void OnFindResult(Browser browser, int identifier, int count, const cef_rect_t* selectionRect,
                    int activeMatchOrdinal, bool finalUpdate) override {
    FEvent->Send(&E::HandleFindResult, browser, identifier, count, selectionRect, activeMatchOrdinal, finalUpdate);
  }
};

}  // namespace cefgui
