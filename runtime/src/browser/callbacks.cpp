#include "callbacks.h"

#include "string_record.h"

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

TJsDialogCallback::TJsDialogCallback(std::function<void(bool, std::wstring)> on_answer)
    : TRuntimeStruct("jsdialog_callback"), FAnswer(std::move(on_answer)) {
  Members().cont = &Cont;
}

TJsDialogCallback::~TJsDialogCallback() { FAnswer.Give(false, {}); }

void CEF_CALLBACK TJsDialogCallback::Cont(cef_jsdialog_callback_t* self, int success, const cef_string_t* input) {
  From(self)->FAnswer.Give(success != 0, Read(input));
}

TAuthCallback::TAuthCallback(std::function<void(bool, std::wstring, std::wstring)> on_answer)
    : TRuntimeStruct("auth_callback"), FAnswer(std::move(on_answer)) {
  Members().cont = &Cont;
  Members().cancel = &Cancel;
}

TAuthCallback::~TAuthCallback() { Refuse(); }

void CEF_CALLBACK TAuthCallback::Cont(cef_auth_callback_t* self, const cef_string_t* user, const cef_string_t* password) {
  From(self)->FAnswer.Give(true, Read(user), Read(password));
}

void CEF_CALLBACK TAuthCallback::Cancel(cef_auth_callback_t* self) { From(self)->Refuse(); }

TBeforeDownloadCallback::TBeforeDownloadCallback(std::function<void(bool, std::wstring)> on_answer)
    : TRuntimeStruct("before_download_callback"), FAnswer(std::move(on_answer)) {
  Members().cont = &Cont;
}

TBeforeDownloadCallback::~TBeforeDownloadCallback() { FAnswer.Give(false, {}); }

void CEF_CALLBACK TBeforeDownloadCallback::Cont(cef_before_download_callback_t* self, const cef_string_t* path, int) {
  // No dialog to show: the path given, or the suggested name in the engine's choice.
  From(self)->FAnswer.Give(true, Read(path));
}

}  // namespace standin
