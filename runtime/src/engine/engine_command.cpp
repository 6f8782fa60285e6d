#include "engine_command.h"

#include "command_line_text.h"
#include "engine_limits.h"

namespace standin::engine {

std::vector<std::wstring> EngineArguments(const std::wstring& profile_folder, bool sandbox,
                                          const std::wstring& io_pipes) {
  std::vector<std::wstring> arguments = {
      L"--headless=new",
      L"--user-data-dir=" + profile_folder,
      L"--remote-debugging-pipe",
      L"--disable-gpu",
      L"--no-first-run",
      L"--disable-background-networking",
      L"--disable-component-update",
      L"--disable-sync",
      L"--disable-extensions",
      L"--disable-default-apps",
      L"--hide-scrollbars",
      L"--mute-audio",
      // A wall never goes back: pages left behind are not kept alive; nor is a renderer started
      // ahead for a page that may come, or for the omnibox popups an engine without windows
      // prepares all the same.
      L"--disable-features=BackForwardCache,SpareRendererForSitePerProcess,WebUIOmniboxPopup,WebUIOmniboxAimPopup",
      L"--disk-cache-size=" + std::to_wstring(kDiskCacheBytes),
  };
  if (!io_pipes.empty()) arguments.push_back(L"--remote-debugging-io-pipes=" + io_pipes);
  if (!sandbox) arguments.push_back(L"--no-sandbox");
  // The start-up tab, on the emptiest page there is: once no page is open the engine forgets
  // the session's cookies, so it holds them until the first browser's page is open.
  arguments.push_back(L"about:blank");
  return arguments;
}

std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments) {
  std::wstring line;
  for (const std::wstring& argument : arguments) line += (line.empty() ? L"" : L" ") + QuoteArgument(argument);
  return line;
}

std::vector<std::wstring> UnixEngineCommand(const std::wstring& fifo_folder, const std::wstring& log_file,
                                            const std::wstring& profile_folder, const std::wstring& executable,
                                            const std::vector<std::wstring>& arguments) {
  // Nothing of the program's own standard handles (which Wine hands on) stays held here. The
  // output drain keeps the first 8 kB and throws the rest away, so a long run writes no more.
  // Every open is one that cannot wait: each FIFO is first held from both sides here, the
  // runtime opens its ends once "held" is there and says "ready", and only then are the extra
  // ends let go, so that from then on each side sees the other's going as the end of its input.
  // The engine keeps the shell's process id, which it leaves in the profile for UnixKillCommand.
  static const wchar_t* const kScript =
      L"exec </dev/null >/dev/null 2>&1; d=$1 log=$2 profile=$3; shift 3; umask 077; "
      L"chmod 700 \"$d\" && mkdir -p \"$profile\" && chmod 700 \"$profile\" && "
      L"mkfifo \"$d/err\" \"$d/out\" \"$d/in\" || exit 1; "
      L"{ head -c 8192 >\"$log\"; exec cat; } <\"$d/err\" & "
      L"exec 2>\"$d/err\" 5<>\"$d/in\" 3<\"$d/in\" 6<>\"$d/out\" 4>\"$d/out\" && : >\"$d/held\" || exit 1; "
      L"n=0; while [ ! -e \"$d/ready\" ]; do n=$((n + 1)); [ $n -gt 600 ] && exit 1; sleep 0.05; done; "
      L"exec 5<&- 6<&- && rm -r \"$d\" && echo $$ >\"$profile/engine.pid\" && exec \"$@\"";
  std::vector<std::wstring> command = {L"/bin/sh", L"-c", kScript, L"standin-engine",
                                       fifo_folder, log_file, profile_folder, executable};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return command;
}

std::vector<std::wstring> UnixKillCommand(const std::wstring& profile_folder) {
  // Only a process that still names the profile on its command line is ended: the id may be
  // another's by now.
  static const wchar_t* const kScript =
      L"p=$(cat \"$1/engine.pid\" 2>/dev/null) && tr '\\0' ' ' <\"/proc/$p/cmdline\" | grep -qF -- \"$1\" && "
      L"kill -KILL \"$p\"; rm -f \"$1/engine.pid\"";
  return {L"/bin/sh", L"-c", kScript, L"standin-engine-kill", profile_folder};
}

std::vector<bool> SandboxAttempts(bool under_wine) {
  if (under_wine) return {true, false};
  return {true};
}

std::string SandboxRefusal(const std::string& output) {
  std::string chosen, last;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    // "[pid:tid:date:ERROR:file.cc(12)] text": the text is what explains.
    if (!line.empty() && line[0] == '[' && line.find("] ") != std::string::npos) line.erase(0, line.find("] ") + 2);
    if (line.empty()) continue;
    last = line;
    if (chosen.empty() && line.find("sandbox") != std::string::npos) chosen = line;
  }
  return chosen.empty() ? last : chosen;
}

}  // namespace standin::engine
