#pragma once
// The runtime's ends of the engine's DevTools pipe: commands go to the engine on one, replies
// and events come back on the other, each message followed by a NUL byte. Nothing else on the
// machine can reach them: on Windows they are pipes whose other ends only the engine inherits;
// under Wine they are FIFOs in a folder only this user may enter, which the engine's shell
// removes once both sides hold their ends. Both ends are opened for overlapped use, so that a
// read or a write in progress can be given up.

#include <windows.h>

#include <string>

namespace standin::engine {

class TEnginePipe {
 public:
  TEnginePipe() = default;
  TEnginePipe(HANDLE to_engine, HANDLE from_engine) : FTo(to_engine), FFrom(from_engine) {}
  ~TEnginePipe() { Reset(); }
  TEnginePipe(TEnginePipe&& other) noexcept;
  TEnginePipe& operator=(TEnginePipe&& other) noexcept;
  TEnginePipe(const TEnginePipe&) = delete;
  TEnginePipe& operator=(const TEnginePipe&) = delete;

  bool Valid() const { return FTo != INVALID_HANDLE_VALUE && FFrom != INVALID_HANDLE_VALUE; }
  HANDLE ToEngine() const { return FTo; }
  HANDLE FromEngine() const { return FFrom; }
  // Closing the end the engine reads from is what ends a Unix engine.
  void CloseToEngine();
  void Reset();

  // Bytes the engine sent that were read before the pipe changed hands.
  std::string early;

 private:
  HANDLE FTo = INVALID_HANDLE_VALUE;
  HANDLE FFrom = INVALID_HANDLE_VALUE;
};

// Two pipes for a Windows engine: ours overlapped, the child's inheritable and synchronous (the
// engine reads and writes them plainly). The child's handles are closed by the caller once the
// engine holds them.
bool CreateEnginePipes(TEnginePipe& ours, HANDLE& child_reads, HANDLE& child_writes);

// Opens the FIFOs "in" and "out" that the engine's shell makes and holds in folder, tells the
// shell so, then waits until it has removed the folder: from then on only the engine holds the
// other ends, and an end of file is the engine going away.
bool OpenEngineFifos(const std::wstring& folder, int timeout_ms, TEnginePipe& ours);

// Reads up to the first NUL within timeout_ms: the engine's first message, the rest stays in
// pipe.early. False when the engine ended or did not answer in time.
bool ReadFirstMessage(TEnginePipe& pipe, int timeout_ms, std::string& message);

// Writes all of data within timeout_ms, or gives up (a stuck engine must not hold the caller).
bool WriteAll(HANDLE handle, const std::string& data, HANDLE stop, int timeout_ms);

}  // namespace standin::engine
