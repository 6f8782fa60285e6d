#include "engine_command.h"

#include "command_line_text.h"
#include "engine_text.h"

#include <charconv>

namespace standin::engine {

std::vector<std::wstring> EngineArguments(const std::wstring& profile_folder) {
  return {L"--headless=new",
          L"--user-data-dir=" + profile_folder,
          L"--remote-debugging-port=0",
          L"--no-sandbox",
          L"--disable-gpu",
          L"--no-first-run",
          L"--disable-background-networking",
          L"--disable-component-update",
          L"--disable-sync",
          L"--hide-scrollbars",
          L"--mute-audio",
          L"about:blank"};
}

std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments) {
  std::wstring line;
  for (const std::wstring& argument : arguments) line += (line.empty() ? L"" : L" ") + QuoteArgument(argument);
  return line;
}

std::vector<std::wstring> WatchdogCommand(int watch_port, const std::wstring& executable,
                                          const std::vector<std::wstring>& arguments) {
  // Output goes nowhere: Wine would otherwise hand the program's own standard handles on.
  static const wchar_t* const kScript =
      L"exec 3<>/dev/tcp/127.0.0.1/$1 </dev/null >/dev/null 2>&1 || exit 1; shift; "
      L"setsid \"$@\" & engine=$!; cat <&3; "
      L"kill -TERM -- -$engine 2>/dev/null; sleep 3; kill -KILL -- -$engine 2>/dev/null";
  std::vector<std::wstring> command = {L"/bin/bash", L"-c", kScript, L"standin-engine-watchdog",
                                       std::to_wstring(watch_port), executable};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return command;
}

bool ParseActivePort(const std::string& text, TEndpoint& endpoint) {
  size_t line_end = text.find('\n');
  if (line_end == std::string::npos) return false;
  std::string port_text = text.substr(0, line_end);
  if (!port_text.empty() && port_text.back() == '\r') port_text.pop_back();
  int port = 0;
  auto [end, error] = std::from_chars(port_text.data(), port_text.data() + port_text.size(), port);
  if (error != std::errc() || end != port_text.data() + port_text.size() || port <= 0 || port > 65535) return false;
  std::string path = text.substr(line_end + 1);
  while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
  if (path.rfind("/devtools/browser/", 0) != 0) return false;
  endpoint.port = port;
  endpoint.path = WideOf(path);
  return true;
}

}  // namespace standin::engine
