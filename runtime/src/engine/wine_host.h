#pragma once
// What the runtime needs to know when it runs under Wine: that it does, and how Unix and
// Windows paths name the same file (Wine's own conversion functions).

#include <string>

namespace standin::engine {

bool UnderWine();
bool IsUnixPath(const std::wstring& path);
// Empty when not under Wine or the path cannot be converted.
std::wstring DosPathOfUnix(const std::wstring& unix_path);
std::string UnixPathOf(const std::wstring& dos_path);

}  // namespace standin::engine
