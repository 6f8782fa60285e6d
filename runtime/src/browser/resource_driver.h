#pragma once
// Drives a resource handler (the program's own or one its scheme factory made) through a
// request on the IO thread: process_request, then get_response_headers once the handler
// continues, then read_response in 32 KiB pieces until the response length is reached
// (or, for an unknown length, until the handler answers false). Handlers may continue
// later from any thread through the callback; a cancelled load calls the handler's cancel.

#include "browser_core.h"
#include "load_result.h"
#include "navigation_state.h"

#include <functional>

#include <memory>

namespace standin {

void StartResourceDriver(const TCoreRef& core, const TNavigationRef& nav, THeld<cef_resource_handler_t> handler);

class TCallback;

// What one driven request is for: the request, whether it was given up, where the result goes
// (on the IO thread, once).
struct TResourceJob {
  TRef<TRequest> request;
  std::function<bool()> aborted;
  std::function<void(TLoadResult)> done;
};

class TResourceDriver : public std::enable_shared_from_this<TResourceDriver> {
 public:
  static constexpr int kReadSize = 32 * 1024;
  static constexpr int64_t kMaxBody = int64_t(64) << 20;

  TResourceDriver(TResourceJob job, THeld<cef_resource_handler_t> handler);
  ~TResourceDriver();

  void Start();  // IO thread
  void Abort();  // any thread

 private:
  enum class TPhase { Request, Headers, Reading, WaitingForData, Done };
  void OnContinue();  // any thread
  void OnCancel();    // any thread
  void ReadHeaders();
  void ReadBody();
  void Finish(int error);
  void AbortOnIo();

  TResourceJob FJob;
  THeld<cef_resource_handler_t> FHandler;  // IO thread
  TRef<TCallback> FCallback;
  std::mutex FLock;
  TPhase FPhase = TPhase::Request;
  int64_t FLength = -1;
  struct TBody;
  std::unique_ptr<TBody> FResult;
};

}  // namespace standin
