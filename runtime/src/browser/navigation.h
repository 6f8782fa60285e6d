#pragma once
// How a main-frame load runs: UI thread (on_before_browse, loading state, load start), IO
// thread (on_before_resource_load, the program's or a factory's resource handler, or the
// built-in loaders), then the UI thread again (address, title, page, load end or error).
// Nothing here blocks the caller of the load or the UI thread's loop work.

#include "browser_core.h"
#include "load_result.h"
#include "navigation_state.h"

namespace standin {

// UI thread: the first step of a load the browser has made its current one.
void BeginNavigation(const TCoreRef& core, const TNavigationRef& nav);
// Any thread: stops a load; unless silent, the program hears ERR_ABORTED for a load that
// had started and not yet ended.
void AbortNavigation(const TCoreRef& core, const TNavigationRef& nav, bool silent);

// IO thread: what the loaders report.
void CompleteLoad(const TCoreRef& core, const TNavigationRef& nav, TLoadResult result);

}  // namespace standin
