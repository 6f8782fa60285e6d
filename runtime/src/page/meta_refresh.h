#pragma once
// The content of <meta http-equiv="refresh" content="5; url=next.html">.

#include <optional>
#include <string>
#include <string_view>

namespace standin::page {

struct TMetaRefresh {
  double seconds = 0;
  std::wstring url;  // as written (relative or absolute); empty: reload the same address
};

// Nothing when the content does not start with a non-negative number.
std::optional<TMetaRefresh> ParseRefreshContent(std::wstring_view content);

}  // namespace standin::page
