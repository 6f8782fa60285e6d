#pragma once
// Character references of HTML text: the common named ones and numeric ones.

#include <string>
#include <string_view>

namespace standin::page {

// Replaces every reference it knows; unknown names stay as written. The closing ';' of a
// numeric reference may be missing, as browsers allow.
std::wstring DecodeEntities(std::wstring_view text);

}  // namespace standin::page
