#pragma once
// Callback objects the runtime hands to the program: the resource handler's continue/cancel,
// the request handler's allow/deny, and the answers to a page's dialogs, a server's
// credential request and a download. They may be called from any thread, any number of
// times, also after the load they belong to has ended; what they do is the owner's choice.
// The answering ones take the first answer only; one released unanswered answers no (a
// dialog cancelled, credentials refused, a download cancelled), as the runtime's do.

#include "runtime_object.h"

#include <atomic>
#include <functional>
#include <string>

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

// The first answer, once; a released callback that was never answered gives no.
template <class... Args>
class TAnswerOnce {
 public:
  explicit TAnswerOnce(std::function<void(Args...)> answer) : FAnswer(std::move(answer)) {}
  bool Give(Args... args) {
    if (FGiven.exchange(true)) return false;
    if (FAnswer) FAnswer(std::move(args)...);
    return true;
  }

 private:
  std::function<void(Args...)> FAnswer;
  std::atomic<bool> FGiven{false};
};

class TJsDialogCallback final : public TRuntimeStruct<TJsDialogCallback, cef_jsdialog_callback_t> {
 public:
  explicit TJsDialogCallback(std::function<void(bool success, std::wstring input)> on_answer);
  ~TJsDialogCallback() override;
  // The runtime's own answer (where the program leaves the dialog to it).
  void Answer(bool success, std::wstring input) { FAnswer.Give(success, std::move(input)); }

 private:
  static void CEF_CALLBACK Cont(cef_jsdialog_callback_t* self, int success, const cef_string_t* input);
  TAnswerOnce<bool, std::wstring> FAnswer;
};

class TAuthCallback final : public TRuntimeStruct<TAuthCallback, cef_auth_callback_t> {
 public:
  explicit TAuthCallback(std::function<void(bool given, std::wstring user, std::wstring password)> on_answer);
  ~TAuthCallback() override;
  void Refuse() { FAnswer.Give(false, {}, {}); }

 private:
  static void CEF_CALLBACK Cont(cef_auth_callback_t* self, const cef_string_t* user, const cef_string_t* password);
  static void CEF_CALLBACK Cancel(cef_auth_callback_t* self);
  TAnswerOnce<bool, std::wstring, std::wstring> FAnswer;
};

// cont(download_path, show_dialog): the download goes on to that path.
class TBeforeDownloadCallback final : public TRuntimeStruct<TBeforeDownloadCallback, cef_before_download_callback_t> {
 public:
  explicit TBeforeDownloadCallback(std::function<void(bool go, std::wstring path)> on_answer);
  ~TBeforeDownloadCallback() override;

 private:
  static void CEF_CALLBACK Cont(cef_before_download_callback_t* self, const cef_string_t* path, int show_dialog);
  TAnswerOnce<bool, std::wstring> FAnswer;
};

}  // namespace standin
