#pragma once
// What a browser window shows.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace standin::page {

class TPagePicture;  // page_picture.h

struct TPageView {
  std::wstring title;
  std::wstring address;
  std::vector<std::wstring> paragraphs;
  // The browser's background colour setting (ARGB); a zero alpha means white.
  uint32_t background_argb = 0;
  // When set, the window shows this instead of the text (the rest of the window in the
  // background colour).
  std::shared_ptr<const TPagePicture> picture;
};

}  // namespace standin::page
