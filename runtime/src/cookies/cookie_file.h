#pragma once
// The store file: a header line, one line per cookie with its thirteen fields (ten in the
// first version's files, which still load) separated by tabs
// (texts escaped so that they never hold a tab or a line break), and a last line with the
// count and a checksum of everything before it. A file that does not check out in every
// detail is rejected as a whole, so a truncated or damaged file never yields half-read
// cookies. Files are replaced atomically: written beside, then moved over the old one.

#include "cookie.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin::cookies {

std::string SerializeCookies(const std::vector<TCookie>& cookies);
std::optional<std::vector<TCookie>> ParseCookieFile(std::string_view text);

// The whole file; nothing when it does not exist or cannot be read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Writes path + ".tmp", flushes it, then moves it over path. False when any step fails
// (the old file is then left as it was).
bool ReplaceFileAtomically(const std::wstring& path, std::string_view data);

}  // namespace standin::cookies
