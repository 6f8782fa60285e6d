// TCefTaskRunnerRef: ICefTaskRunner over the runtime's cef_task_runner_t, one line per member.

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_task.h"

namespace ceflib {
namespace {

using T = cef_task_runner_t;

class TCefTaskRunnerRef final : public TCefRefOf<TCefTaskRunnerRef, ICefTaskRunner, T> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsSame(const RefPtr<ICefTaskRunner>& that) override { return Call(&T::is_same, that); }
  bool BelongsToCurrentThread() override { return Call(&T::belongs_to_current_thread); }
  bool BelongsToThread(cef_thread_id_t threadId) override { return Call(&T::belongs_to_thread, threadId); }
  bool PostTask(const RefPtr<ICefBase>& task) override { return Call(&T::post_task, task); }
  bool PostDelayedTask(const RefPtr<ICefBase>& task, int64_t delayMs) override {
    return Call(&T::post_delayed_task, task, delayMs);
  }
};

}  // namespace

RefPtr<ICefTaskRunner> ICefTaskRunner::UnWrap(void* data) { return TCefTaskRunnerRef::UnWrap(data); }
RefPtr<ICefTaskRunner> ICefTaskRunner::GetForCurrentThread() {
  return CefInvoke(cef_task_runner_get_for_current_thread);
}
RefPtr<ICefTaskRunner> ICefTaskRunner::GetForThread(cef_thread_id_t threadId) {
  return CefInvoke(cef_task_runner_get_for_thread, threadId);
}

}  // namespace ceflib
