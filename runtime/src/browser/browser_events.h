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

}  // namespace standin
