#pragma once
// How the engine is started: its arguments, the command line of the watchdog that ends it
// with the program under Wine, and the port file it writes once it listens.

#include <string>
#include <vector>

namespace standin::engine {

// Headless, private profile, remote debugging on a loopback port of its own choosing.
std::vector<std::wstring> EngineArguments(const std::wstring& profile_folder);

std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments);

// bash holds a loopback connection to the runtime on watch_port and ends the engine (its
// whole process group) when that connection closes, however the program ended.
std::vector<std::wstring> WatchdogCommand(int watch_port, const std::wstring& executable,
                                          const std::vector<std::wstring>& arguments);

struct TEndpoint {
  int port = 0;
  std::wstring path;  // "/devtools/browser/<id>"
};

// The DevToolsActivePort file: the port on its first line, the browser's path on the second.
bool ParseActivePort(const std::string& text, TEndpoint& endpoint);

}  // namespace standin::engine
