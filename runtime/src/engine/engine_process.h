#pragma once
// One running engine: started with a private profile and joined to the runtime by its pipe
// alone (no port: nothing else on the machine can drive it), found answering, and ended with
// the program. On Windows a kill-on-close job holds it; a Unix engine under Wine ends by itself
// once the runtime's end of its pipe closes, also when the program is killed.

#include "engine_pipe.h"

#include <windows.h>

#include <string>

namespace standin::engine {

// The engine's profile: "StandinEngine" in the cache folder the program names, as an absolute
// path, made private to the user; the same folder in every run. Windows often starts a screen
// saver in a folder its user may not write (System32), where the engine could not start at
// all: the profile then goes to the user's local application data, or the temporary folder.
std::wstring ProfileFolder(const std::wstring& cache_folder);

class TEngineProcess {
 public:
  TEngineProcess() = default;
  ~TEngineProcess();  // ends the engine
  TEngineProcess(const TEngineProcess&) = delete;
  TEngineProcess& operator=(const TEngineProcess&) = delete;

  // False, with the step that failed, when it did not start or did not answer in time. With
  // the sandbox first; where the platform may refuse it, once more without.
  bool Start(const std::wstring& executable, const std::wstring& profile_folder, int timeout_ms,
             std::string& failure);
  // The started engine's pipe, handed to its connection (once).
  TEnginePipe TakePipe() { return std::move(FPipe); }
  bool Sandboxed() const { return FSandboxed; }
  // Why the engine runs without its sandbox; empty when it has it.
  const std::string& NoSandboxReason() const { return FNoSandboxReason; }
  // The engine's product and version, from its first answer.
  const std::string& Product() const { return FProduct; }
  void Stop();
  // Stops an engine that died or stopped answering: a Unix one that no longer reads its pipe is
  // killed (a Windows one ends with its job in any case).
  void Kill();

 private:
  bool StartUnix(const std::wstring& executable, const std::wstring& profile_folder, bool sandbox, int timeout_ms,
                 std::string& failure);
  bool StartWindows(const std::wstring& executable, const std::wstring& profile_folder, bool sandbox,
                    std::string& failure);
  bool Answers(int timeout_ms);

  HANDLE FJob = nullptr;
  HANDLE FProcess = nullptr;
  TEnginePipe FPipe;
  bool FSandboxed = false;
  std::string FNoSandboxReason;
  std::string FProduct;
  std::wstring FUnixProfile;  // a Unix engine's profile folder, as the Unix side names it
};

}  // namespace standin::engine
