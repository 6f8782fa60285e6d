#pragma once
// The three optional process-level handlers the application handler can give the runtime.
// This program never sets them; the interfaces exist so that the getters are typed.

#include "ceflib/cef_base.h"

namespace ceflib {

// An object implementing cef_resource_bundle_handler_t.
class ICefResourceBundleHandler : public virtual ICefBase {};
// An object implementing cef_browser_process_handler_t.
class ICefBrowserProcessHandler : public virtual ICefBase {};
// An object implementing cef_render_process_handler_t.
class ICefRenderProcessHandler : public virtual ICefBase {};

}  // namespace ceflib
