#pragma once
// The client handler of windowed browsers. The runtime runs without a message-loop thread of
// its own, so while any of these handlers lives, a 10 ms thread timer on the GUI thread runs
// the runtime's pending work.

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "cefgui/client_handler.h"

namespace cefvcl {

using namespace cefgui;

// Live TVCLClientHandler objects.
extern std::atomic<int32_t> ClientHandlerCount;
// The thread timer the first live handler started; 0 while none runs.
extern UINT_PTR MessageLoopTimer;
// Set while a tick is inside the runtime's work, so a nested message loop the runtime runs
// (a modal dialog, say) does not re-enter it from the timer.
extern bool MessageLoopBusy;

void CALLBACK MessageLoopTimerProc(HWND window, UINT message, UINT_PTR eventId, DWORD time);

class TVCLClientHandler : public TCustomClientHandler {
 public:
  // Made on the GUI thread, whose timer the first handler starts.
  TVCLClientHandler(IChromiumEvents* crm, bool renderer);
  ~TVCLClientHandler() override;
};

}  // namespace cefvcl
