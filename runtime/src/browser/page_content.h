#pragma once
// What the window shows of a response: the page's title and text for HTML, the lines of
// other text, a short note for anything else (images, documents), which is not rendered.

#include "html_text.h"
#include "load_result.h"

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct TPageContent {
  std::wstring title;
  std::vector<std::wstring> paragraphs;
  std::optional<page::TMetaRefresh> refresh;
  std::wstring source;  // the decoded body
};

TPageContent BuildPageContent(const TLoadResult& result);

}  // namespace standin
