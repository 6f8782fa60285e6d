#pragma once
// What a browser window shows.

#include <cstdint>
#include <string>
#include <vector>

namespace standin::page {

struct TPageView {
  std::wstring title;
  std::wstring address;
  std::vector<std::wstring> paragraphs;
  // The browser's background colour setting (ARGB); a zero alpha means white.
  uint32_t background_argb = 0;
};

}  // namespace standin::page
