#pragma once
// What the stand-in shows of an HTML page: its title and its text, tags stripped, script
// and style content dropped, character references decoded, blanks collapsed, one entry per
// block of text. Also the page's meta refresh, which is the only "script" it honours.

#include "meta_refresh.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin::page {

struct TPageText {
  std::wstring title;                    // empty when the page has none
  std::vector<std::wstring> paragraphs;  // never empty strings
  std::optional<TMetaRefresh> refresh;   // the first valid one
};

TPageText ExtractPageText(std::wstring_view html);

// Plain text split into paragraphs at line breaks, blanks within lines collapsed.
std::vector<std::wstring> PlainTextParagraphs(std::wstring_view text);

}  // namespace standin::page
