#include "ceffilescheme/MessagePage.h"

#include "base/SysUtils.h"

namespace ceffilescheme {
namespace {

// The page comes from the local origin, which may read local files: an address must not be
// able to put markup or script into it.
std::wstring HtmlText(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string MessagePage(std::wstring_view path, std::wstring_view message) {
  return WideToUtf8(L"<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\"/></head>"
                    L"<body><h1>" + HtmlText(path) + L"</h1><h2>" + HtmlText(message) + L"</h2></body></html>");
}

}  // namespace ceffilescheme
