#include "callbacks.h"

namespace standin {

TCallback::TCallback(std::function<void()> on_continue, std::function<void()> on_cancel)
    : TRuntimeStruct("callback"), FOnContinue(std::move(on_continue)), FOnCancel(std::move(on_cancel)) {
  Members().cont = &Cont;
  Members().cancel = &Cancel;
}

void CEF_CALLBACK TCallback::Cont(cef_callback_t* self) {
  if (auto& f = From(self)->FOnContinue) f();
}

void CEF_CALLBACK TCallback::Cancel(cef_callback_t* self) {
  if (auto& f = From(self)->FOnCancel) f();
}

TRequestCallback::TRequestCallback(std::function<void(bool)> on_answer)
    : TRuntimeStruct("request_callback"), FOnAnswer(std::move(on_answer)) {
  Members().cont = &Cont;
  Members().cancel = &Cancel;
}

void CEF_CALLBACK TRequestCallback::Cont(cef_request_callback_t* self, int allow) {
  if (auto& f = From(self)->FOnAnswer) f(allow != 0);
}

void CEF_CALLBACK TRequestCallback::Cancel(cef_request_callback_t* self) {
  if (auto& f = From(self)->FOnAnswer) f(false);
}

}  // namespace standin
