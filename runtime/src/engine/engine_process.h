#pragma once
// One running engine: started with a private profile, found listening through its port
// file, and ended with the program. On Windows a kill-on-close job holds it; under Wine a
// Unix engine is detached from the program, so a watchdog holding a loopback connection to
// this process ends it when the connection closes (also when the program is killed).

#include "engine_command.h"

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace standin::engine {

// The engine's profile: "StandinEngine" in the cache folder the program names, as an absolute
// path. Windows often starts a screen saver in a folder its user may not write (System32),
// where the engine could not start at all; the profile then goes to the user's local
// application data, or the temporary folder.
std::wstring ProfileFolder(const std::wstring& cache_folder);

class TEngineProcess {
 public:
  TEngineProcess() = default;
  ~TEngineProcess();  // ends the engine
  TEngineProcess(const TEngineProcess&) = delete;
  TEngineProcess& operator=(const TEngineProcess&) = delete;

  // False, with the step that failed, when it did not start or did not listen in time.
  bool Start(const std::wstring& executable, const std::wstring& profile_folder, int timeout_ms,
             std::string& failure);
  const TEndpoint& Endpoint() const { return FEndpoint; }
  void Stop();

 private:
  bool StartUnix(const std::wstring& executable, const std::wstring& profile_folder, std::string& failure);
  bool StartWindows(const std::wstring& executable, const std::wstring& profile_folder, std::string& failure);
  bool WaitForPortFile(const std::wstring& file, int timeout_ms);

  HANDLE FJob = nullptr;
  HANDLE FProcess = nullptr;
  SOCKET FWatch = INVALID_SOCKET;
  bool FWinsock = false;
  TEndpoint FEndpoint;
};

}  // namespace standin::engine
