#pragma once
// The URL list syntax of one monitor's setting: entries separated by commas
// and line breaks, where quotes (' or ") keep separators inside an entry.

#include <string>
#include <string_view>
#include <vector>

using TURLList = std::vector<std::wstring>;

// The page shown for a monitor whose setting gives no address.
extern const wchar_t* const DefaultStartPage;

// Appends the entries of `text` to `list`, in the order written. Empty entries
// are dropped; blanks and quote characters stay part of an entry; characters
// above code 255 are never separators or quotes.
void ParseURLList(std::wstring_view text, TURLList& list);

// The list a monitor shows for its setting: the default start page when the
// setting is blank or yields no entry, otherwise its entries.
TURLList URLListForSetting(std::wstring_view setting);
