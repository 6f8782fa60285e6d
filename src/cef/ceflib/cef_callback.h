#pragma once
// The callback family (cef_callback_t, cef_completion_callback_t): ICefCallback continues an
// asynchronous runtime operation (reached through its wrapper TCefCallbackRef); a completion
// callback is ours, handed to the runtime to learn that an operation has finished.

#include <functional>

#include "ceflib/cef_base.h"
#include "ceflib/cef_own_of.h"

namespace ceflib {

class ICefCallback : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefCallback> UnWrap(void* data);

  virtual void Cont() = 0;
  virtual void Cancel() = 0;
};

class ICefCompletionCallback : public virtual ICefBase {
 public:
  virtual void OnComplete() = 0;
};

using TCefCompletionCallbackProc = std::function<void()>;

// Does nothing on completion.
class TCefCompletionCallbackOwn : public TCefOwnOf<ICefCompletionCallback, cef_completion_callback_t> {
 public:
  TCefCompletionCallbackOwn();
  void OnComplete() override;
};

class TCefFastCompletionCallback final : public TCefCompletionCallbackOwn {
 public:
  explicit TCefFastCompletionCallback(TCefCompletionCallbackProc proc);
  void OnComplete() override;

 private:
  const TCefCompletionCallbackProc FProc;
};

}  // namespace ceflib
