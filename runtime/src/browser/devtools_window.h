#pragma once
// What the stand-in offers for developer tools: a plain top-level window that says there are
// none and shows the page's address and source as text.

#include "page_window.h"

#include <cef_capi.h>

#include <string>

namespace standin {

class TDevToolsWindow {
 public:
  // Created as the window info asks (style, position, owner); false when that fails.
  bool Create(const cef_window_info_t* info, HWND fallback_owner, const std::wstring& url, const std::wstring& source);
  HWND Handle() const { return FWindow.Handle(); }

 private:
  page::TPageWindow FWindow;
};

}  // namespace standin
