// cef_currently_on, cef_post_task and cef_post_delayed_task. A posted task carries one
// reference for the runtime; it is released after it ran, or unrun when its thread does not
// exist or the runtime shuts down first.

#include "held_ref.h"
#include "journal.h"
#include "runtime_threads.h"

using namespace standin;

namespace {

int PostTask(cef_thread_id_t thread, cef_task_t* task, int64 delay_ms) {
  if (!task) return 0;
  THeld<cef_task_t> held = THeld<cef_task_t>::Adopt(task, "task");
  auto work = MakeWork([held = std::move(held)]() mutable {
    if (held->execute) held->execute(held.Get());
    held.Reset();
  });
  bool posted = TRuntimeThreads::Instance().Post(thread, std::move(work), delay_ms);
  if (!posted) TJournalLine("post_task_refused").Int("thread", thread).Write();
  return posted ? 1 : 0;
}

}  // namespace

int cef_currently_on(cef_thread_id_t threadId) { return TRuntimeThreads::Instance().CurrentlyOn(threadId) ? 1 : 0; }

int cef_post_task(cef_thread_id_t threadId, cef_task_t* task) { return PostTask(threadId, task, 0); }

int cef_post_delayed_task(cef_thread_id_t threadId, cef_task_t* task, int64 delay_ms) {
  return PostTask(threadId, task, delay_ms);
}

// On Windows both the id and the "handle" of a thread are its thread id.
cef_platform_thread_id_t cef_get_current_platform_thread_id(void) { return GetCurrentThreadId(); }

cef_platform_thread_handle_t cef_get_current_platform_thread_handle(void) { return GetCurrentThreadId(); }
