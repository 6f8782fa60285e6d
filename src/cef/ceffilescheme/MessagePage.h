#pragma once
// The short page the scheme answers with where it has nothing else to show.

#include <string>
#include <string_view>

namespace ceffilescheme {

// A page headed by path (written as HTML text) that says message, as UTF-8.
std::string MessagePage(std::wstring_view path, std::wstring_view message);

}  // namespace ceffilescheme
