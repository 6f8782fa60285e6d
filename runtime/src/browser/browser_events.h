#pragma once
// Calls into the program's client: each asks the client for the handler it needs (a fresh
// reference, given back after the call), hands every object over with one reference for
// the receiver, and does nothing when the client or the handler is missing.

#include "browser_core.h"

#include <string>

namespace standin {

class TRequest;
class TResponse;
class TRequestCallback;
class TJsDialogCallback;
class TAuthCallback;
class TDownloadItem;
class TBeforeDownloadCallback;

void RaiseAfterCreated(TBrowserCore& core);
bool AskDoClose(TBrowserCore& core);
void RaiseBeforeClose(TBrowserCore& core);

void RaiseLoadingStateChange(TBrowserCore& core, bool loading);
void RaiseLoadStart(TBrowserCore& core);
void RaiseLoadEnd(TBrowserCore& core, int status);
void RaiseLoadError(TBrowserCore& core, int error, const std::wstring& text, const std::wstring& url);
void RaiseAddressChange(TBrowserCore& core, const std::wstring& url);
void RaiseTitleChange(TBrowserCore& core, const std::wstring& title);

void RaiseGotFocus(TBrowserCore& core);
bool AskSetFocus(TBrowserCore& core);  // true: the program keeps focus away
void RaiseKeyEvent(TBrowserCore& core, const MSG& message);

// Request handler (true: cancel the navigation).
bool AskBeforeBrowse(TBrowserCore& core, TRequest& request, bool is_redirect);
// RV_CANCEL, RV_CONTINUE or RV_CONTINUE_ASYNC; the callback is handed over.
cef_return_value_t AskBeforeResourceLoad(TBrowserCore& core, TRequest& request, TRequestCallback& callback);
// The program's resource handler for the request, held; empty when it has none.
THeld<cef_resource_handler_t> AskResourceHandler(TBrowserCore& core, TRequest& request);
// May change new_url.
void TellResourceRedirect(TBrowserCore& core, TRequest& request, std::wstring& new_url);
void TellResourceResponse(TBrowserCore& core, TRequest& request, TResponse& response);
// The page's renderer ended (crashed, killed, or ended for not answering).
void RaiseRenderProcessTerminated(TBrowserCore& core, cef_termination_status_t status);

// A page's script dialogs and leave-page question (UI thread); true: the program answers
// through the callback, now or later. suppress: the program asked for the dialog to be
// dropped, as if cancelled.
bool AskJsDialog(TBrowserCore& core, const std::wstring& origin_url, cef_jsdialog_type_t type,
                 const std::wstring& message, const std::wstring& default_prompt, TJsDialogCallback& callback,
                 bool& suppress);
bool AskBeforeUnloadDialog(TBrowserCore& core, const std::wstring& message, bool is_reload,
                           TJsDialogCallback& callback);
// A server's or proxy's credential request (IO thread); false refuses it.
bool AskAuthCredentials(TBrowserCore& core, bool is_proxy, const std::wstring& host, int port,
                        const std::wstring& realm, const std::wstring& scheme, TAuthCallback& callback);
// A certificate the engine does not trust (UI thread); false refuses it.
bool AskCertificateError(TBrowserCore& core, int error, const std::wstring& url, TRequestCallback& callback);
// A window a page opens (IO thread); true: the program cancels it.
bool AskBeforePopup(TBrowserCore& core, const std::wstring& target_url, const std::wstring& frame_name,
                    bool user_gesture);
// A download (UI thread); it goes on only if the program continues it through the callback.
void RaiseBeforeDownload(TBrowserCore& core, TDownloadItem& item, const std::wstring& suggested_name,
                         TBeforeDownloadCallback& callback);

}  // namespace standin
