#include "cefvcl/vcl_client_handler.h"

#include "ceflib/cef_loader.h"
#include "toolkit/Application.h"

namespace cefvcl {

std::atomic<int32_t> ClientHandlerCount{0};
UINT_PTR MessageLoopTimer = 0;
bool MessageLoopBusy = false;

namespace {

// The thread that owns MessageLoopTimer: a thread timer can be stopped only there.
DWORD TimerThread = 0;

void StopMessageLoopTimer() {
  KillTimer(nullptr, MessageLoopTimer);
  MessageLoopTimer = 0;
}

}  // namespace

void CALLBACK MessageLoopTimerProc(HWND, UINT, UINT_PTR eventId, DWORD) {
  if (MessageLoopBusy) return;
  if (ClientHandlerCount.load() <= 0) {
    // The last handler went on another thread and could not stop the timer there.
    if (eventId == MessageLoopTimer) StopMessageLoopTimer();
    return;
  }
  MessageLoopBusy = true;
  try {
    ceflib::DoMessageLoopWork();
  } catch (...) {
    // A timer procedure is a boundary no exception may cross.
    MessageLoopBusy = false;
    Application.HandleException();
  }
  MessageLoopBusy = false;
}

TVCLClientHandler::TVCLClientHandler(IChromiumEvents* crm, bool renderer) : TCustomClientHandler(crm, renderer) {
  if (ClientHandlerCount.load() == 0) {
    if (MessageLoopTimer) StopMessageLoopTimer();  // left running by a handler freed elsewhere
    MessageLoopTimer = SetTimer(nullptr, 0, 10, &MessageLoopTimerProc);
    TimerThread = GetCurrentThreadId();
  }
  ClientHandlerCount.fetch_add(1);
}

TVCLClientHandler::~TVCLClientHandler() {
  if (ClientHandlerCount.fetch_sub(1) == 1 && GetCurrentThreadId() == TimerThread) StopMessageLoopTimer();
}

}  // namespace cefvcl
