#pragma once
// State that belongs to one of the runtime's threads says so where it is used:
// STANDIN_ON_THREAD(TID_UI) at the top of each function that touches it. A debug build stops
// at a call from any other thread while the runtime runs, naming the place; a release build
// compiles the line to nothing.

#include "runtime_threads.h"

#ifndef NDEBUG
#include <cstdio>
#include <cstdlib>

namespace standin {

inline void CheckOnThread(cef_thread_id_t id, const char* file, int line) {
  TRuntimeThreads& threads = TRuntimeThreads::Instance();
  if (!threads.Running() || threads.CurrentlyOn(id)) return;
  std::fprintf(stderr, "%s:%d: runs on a thread other than %d\n", file, line, static_cast<int>(id));
  std::abort();
}

}  // namespace standin

#define STANDIN_ON_THREAD(id) ::standin::CheckOnThread(id, __FILE__, __LINE__)
#else
#define STANDIN_ON_THREAD(id) ((void)0)
#endif
