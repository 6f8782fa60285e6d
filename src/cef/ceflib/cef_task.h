#pragma once
// ICefTaskRunner: a runtime task runner (cef_task_runner_t), reached through its wrapper
// TCefTaskRunnerRef. Tasks are runtime objects of any kind, passed as plain ICefBase.

#include <cstdint>

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefTaskRunner : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefTaskRunner> UnWrap(void* data);
  static RefPtr<ICefTaskRunner> GetForCurrentThread();
  static RefPtr<ICefTaskRunner> GetForThread(cef_thread_id_t threadId);

  virtual bool IsSame(const RefPtr<ICefTaskRunner>& that) = 0;
  virtual bool BelongsToCurrentThread() = 0;
  virtual bool BelongsToThread(cef_thread_id_t threadId) = 0;
  // task: an object implementing cef_task_t.
  virtual bool PostTask(const RefPtr<ICefBase>& task) = 0;
  virtual bool PostDelayedTask(const RefPtr<ICefBase>& task, int64_t delayMs) = 0;
};

}  // namespace ceflib
