#pragma once
// Thread affinity that a debug build checks, in two spellings:
// - state that belongs to one of the runtime's named threads says so where it is used:
//   STANDIN_ON_THREAD(TID_UI) at the top of each function that touches it;
// - an object whose state belongs to a thread of its own (a worker) holds a TThreadChecker and
//   names it with STANDIN_CHECK_THREAD at the top of each such method; the checker binds to the
//   first thread that asks (or to the thread that Bind names).
// A call from any other thread ends the process with a message naming the place, so a
// wrong-thread call fails a test instead of racing. A release build (NDEBUG) keeps neither the
// checker's state nor the checks.

#include "runtime_threads.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace standin {

#ifdef NDEBUG

class TThreadChecker {
 public:
  bool CalledOnValidThread() const { return true; }
  void Bind() {}
  void Detach() {}
};

#define STANDIN_ON_THREAD(id) static_cast<void>(0)
#define STANDIN_CHECK_THREAD(checker) static_cast<void>(0)

#else

[[noreturn]] inline void ThreadCheckFailed(const char* file, int line) {
  char text[512];
  std::snprintf(text, sizeof text, "%s:%d: called on the wrong thread\n", file, line);
  OutputDebugStringA(text);
  std::fputs(text, stderr);
  std::abort();
}

inline void CheckOnThread(cef_thread_id_t id, const char* file, int line) {
  TRuntimeThreads& threads = TRuntimeThreads::Instance();
  if (!threads.Running() || threads.CurrentlyOn(id)) return;
  ThreadCheckFailed(file, line);
}

class TThreadChecker {
 public:
  // True on the bound thread; the first caller binds it.
  bool CalledOnValidThread() const {
    DWORD self = GetCurrentThreadId();
    DWORD expected = 0;
    return FThread.compare_exchange_strong(expected, self) || expected == self;
  }
  // From now on the calling thread is the valid one.
  void Bind() { FThread = GetCurrentThreadId(); }
  // The next caller binds it anew (the object moves to another thread).
  void Detach() { FThread = 0; }

 private:
  mutable std::atomic<DWORD> FThread{0};
};

#define STANDIN_ON_THREAD(id) ::standin::CheckOnThread(id, __FILE__, __LINE__)
#define STANDIN_CHECK_THREAD(checker) \
  ((checker).CalledOnValidThread() ? static_cast<void>(0) : ::standin::ThreadCheckFailed(__FILE__, __LINE__))

#endif

}  // namespace standin
