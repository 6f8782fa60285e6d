#pragma once
// The runtime's threads. The UI thread is the one that called cef_initialize; it has no
// loop of its own here: its work runs inside cef_do_message_loop_work on that thread. Every
// other thread id is a real worker thread: IO starts with the runtime, the others when
// work is first posted to them. Before cef_initialize and after cef_shutdown no thread
// accepts work.

#include <cef_capi.h>

#include "work_queue.h"

#include <cstdint>
#include <memory>

namespace standin {

class TRuntimeThreads {
 public:
  static TRuntimeThreads& Instance();

  // Makes the calling thread the UI thread and starts the IO thread.
  void Start(bool single_process);
  // Refuses new work, drops pending work and joins the workers. Call on the UI thread.
  void Stop();
  bool Running() const;

  bool CurrentlyOn(cef_thread_id_t id) const;
  // False when that thread does not exist (then the work is destroyed unrun).
  bool Post(cef_thread_id_t id, std::unique_ptr<TWork> work, int64_t delay_ms = 0);
  // Runs the UI work that is due; on any other thread it does nothing and returns false.
  bool RunUiWork();

 private:
  TRuntimeThreads() = default;
};

}  // namespace standin
