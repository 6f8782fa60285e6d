#pragma once
// How the engine is started: its arguments, the shell that joins a Unix engine to the
// runtime's pipe under Wine, and whether its sandbox is asked for.

#include <string>
#include <vector>

namespace standin::engine {

// Headless, private profile, the DevTools protocol on a pipe only (no port), and nothing kept
// that the runtime does not use. io_pipes names a Windows engine's inherited pipe handles
// ("<reads>,<writes>"); a Unix engine finds its pipe on descriptors 3 and 4.
std::vector<std::wstring> EngineArguments(const std::wstring& profile_folder, bool sandbox,
                                          const std::wstring& io_pipes = L"");

std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments);

// /bin/sh makes the FIFOs in fifo_folder (which the runtime created, empty and private), holds
// its ends of them, waits for the runtime to hold its own, removes the folder, makes the profile
// private and becomes the engine, whose first 8 kB of output go to log_file. The engine ends by itself when
// the runtime's end of its input closes, however the program ended.
std::vector<std::wstring> UnixEngineCommand(const std::wstring& fifo_folder, const std::wstring& log_file,
                                            const std::wstring& profile_folder, const std::wstring& executable,
                                            const std::vector<std::wstring>& arguments);

// Ends a Unix engine started by UnixEngineCommand with this profile that no longer listens to
// its pipe (a hung engine does not see the pipe close).
std::vector<std::wstring> UnixKillCommand(const std::wstring& profile_folder);

// The starts to try, in order: with the sandbox, and under Wine (which may not give the engine
// what its sandbox needs) once more without it.
std::vector<bool> SandboxAttempts(bool under_wine);

// Why a sandboxed engine ended, from its output: the line that names the sandbox, else its
// last line, without the engine's log prefix; empty when it said nothing.
std::string SandboxRefusal(const std::string& output);

}  // namespace standin::engine
