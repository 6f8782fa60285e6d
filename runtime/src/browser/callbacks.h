#pragma once
// Callback objects the runtime hands to the program: the resource handler's continue/cancel
// and the request handler's allow/deny. They may be called from any thread, any number of
// times, also after the load they belong to has ended; what they do is the owner's choice.

#include "runtime_object.h"

#include <functional>

namespace standin {

class TCallback final : public TRuntimeStruct<TCallback, cef_callback_t> {
 public:
  TCallback(std::function<void()> on_continue, std::function<void()> on_cancel);

 private:
  static void CEF_CALLBACK Cont(cef_callback_t* self);
  static void CEF_CALLBACK Cancel(cef_callback_t* self);
  std::function<void()> FOnContinue;
  std::function<void()> FOnCancel;
};

class TRequestCallback final : public TRuntimeStruct<TRequestCallback, cef_request_callback_t> {
 public:
  explicit TRequestCallback(std::function<void(bool allow)> on_answer);

 private:
  static void CEF_CALLBACK Cont(cef_request_callback_t* self, int allow);
  static void CEF_CALLBACK Cancel(cef_request_callback_t* self);
  std::function<void(bool)> FOnAnswer;
};

}  // namespace standin
