#pragma once
// Thread affinity that a debug build checks: an object whose state belongs to one thread
// holds a TThreadChecker and names that thread with STANDIN_CHECK_THREAD at the top of each
// method that touches it. The checker binds to the first thread that asks (or to the thread
// that Bind names); a call from any other thread ends the process with a message on the
// debugger's output, so a wrong-thread call fails a test instead of racing. A release build
// (NDEBUG) keeps neither the member's state nor the checks.

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

#define STANDIN_CHECK_THREAD(checker) static_cast<void>(0)

#else

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

[[noreturn]] inline void ThreadCheckFailed(const char* file, int line) {
  char text[512];
  std::snprintf(text, sizeof text, "%s:%d: called on the wrong thread\n", file, line);
  OutputDebugStringA(text);
  std::fputs(text, stderr);
  std::abort();
}

#define STANDIN_CHECK_THREAD(checker) \
  ((checker).CalledOnValidThread() ? static_cast<void>(0) : ::standin::ThreadCheckFailed(__FILE__, __LINE__))

#endif

}  // namespace standin
