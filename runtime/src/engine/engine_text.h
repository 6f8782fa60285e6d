#pragma once
// UTF-8 and UTF-16 for the protocol's texts and Unix paths.

#include <string>
#include <string_view>

namespace standin::engine {

std::string Utf8Of(std::wstring_view text);
std::wstring WideOf(std::string_view utf8);

}  // namespace standin::engine
