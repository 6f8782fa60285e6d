#include "ceflib/cef_callback.h"

namespace ceflib {

TCefCompletionCallbackOwn::TCefCompletionCallbackOwn() {
  Bind<&cef_completion_callback_t::on_complete, &TCefCompletionCallbackOwn::OnComplete>();
}

void TCefCompletionCallbackOwn::OnComplete() {}

TCefFastCompletionCallback::TCefFastCompletionCallback(TCefCompletionCallbackProc proc) : FProc(std::move(proc)) {}

void TCefFastCompletionCallback::OnComplete() { FProc(); }

}  // namespace ceflib
