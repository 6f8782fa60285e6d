#include "devtools_window.h"

#include "html_text.h"

namespace standin {

bool TDevToolsWindow::Create(const cef_window_info_t* info, HWND fallback_owner, const std::wstring& url,
                             const std::wstring& source) {
  DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  DWORD ex_style = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND owner = fallback_owner;
  if (info) {
    if (info->style) style = info->style & ~static_cast<DWORD>(WS_CHILD);
    ex_style = info->ex_style;
    x = info->x;
    y = info->y;
    width = info->width;
    height = info->height;
    if (info->parent_window) owner = info->parent_window;
  }
  page::TPageView view;
  view.title = L"Developer tools are not available in the stand-in runtime";
  view.address = url;
  view.paragraphs.push_back(L"This window shows the page's source as the stand-in received it.");
  for (std::wstring& line : page::PlainTextParagraphs(source)) view.paragraphs.push_back(std::move(line));
  if (!FWindow.Create(owner, style, ex_style, x, y, width, height, L"DevTools (stand-in runtime)", {})) return false;
  FWindow.SetView(std::move(view));
  return true;
}

}  // namespace standin
