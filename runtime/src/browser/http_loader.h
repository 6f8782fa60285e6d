#pragma once
// http: loads with the runtime's own HTTP client, on a transfer thread of their own. Cookies
// come from and go to the global cookie manager's store; each redirect is shown to the
// request handler's on_resource_redirect on the IO thread before it is followed.

#include "browser_core.h"
#include "navigation_state.h"

#include <string>

namespace standin {

void StartHttpLoad(const TCoreRef& core, const TNavigationRef& nav, const std::wstring& url);

// How long a server may stay silent, in milliseconds: STANDIN_RUNTIME_HTTP_TIMEOUT_MS when
// set (tests use short ones), otherwise 30 seconds.
int HttpReadTimeoutMs();

}  // namespace standin
