#pragma once
// cef_browser_host_t over a browser core: window, focus, zoom, close and developer tools.
// Members for windowless rendering, printing, finding, dragging and input injection answer
// neutrally: the stand-in has a window of its own and renders text only.

#include "browser_core.h"
#include "runtime_object.h"

namespace standin {

class TBrowserHost final : public TRuntimeStruct<TBrowserHost, cef_browser_host_t> {
 public:
  explicit TBrowserHost(TCoreRef core);
  TBrowserCore& Core() const { return *FCore; }

 private:
  TCoreRef FCore;
};

}  // namespace standin
