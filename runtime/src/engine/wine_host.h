#pragma once
// What the runtime needs to know when it runs under Wine: that it does, and how Unix and
// Windows paths name the same file (Wine's own conversion functions).

#include <string>
#include <vector>

namespace standin::engine {

bool UnderWine();
bool IsUnixPath(const std::wstring& path);
// Empty when not under Wine or the path cannot be converted.
std::wstring DosPathOfUnix(const std::wstring& unix_path);
std::string UnixPathOf(const std::wstring& dos_path);
// Starts a Unix program (argv[0] is found on the PATH) straight from this process, without
// waiting for it; false when not under Wine or it could not be started. A Windows process
// made for a Unix program (what CreateProcess does with one) stops the thread timers of
// this process's UI thread under Wine, and with them the program's message loop work.
bool SpawnUnix(const std::vector<std::wstring>& command);

}  // namespace standin::engine
