// What a page on the engine asks of the program, raised as the runtime raises it: script
// dialogs and the leave-page question, a server's credential request, a certificate the engine
// does not trust, a window the page opens, a download. Where the program leaves one to the
// runtime, which has no dialog of its own: alerts are accepted, confirm and prompt cancelled,
// leaving a page allowed, credentials and certificates refused, popups and downloads dropped.

#include "chromium_page.h"

#include "browser_events.h"
#include "callbacks.h"
#include "download_item.h"
#include "journal.h"
#include "runtime_state.h"
#include "runtime_threads.h"
#include "thread_check.h"
#include "url_parser.h"
#include "wine_host.h"

#include <windows.h>

namespace standin {

namespace {

using engine::json;

cef_jsdialog_type_t DialogType(const std::string& type) {
  if (type == "confirm") return JSDIALOGTYPE_CONFIRM;
  if (type == "prompt") return JSDIALOGTYPE_PROMPT;
  return JSDIALOGTYPE_ALERT;
}

// Downloads land here first, under names the engine chooses, until the program says where
// they go; what nobody continues is removed again.
std::wstring DownloadScratchFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"StandinDownloads-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace

void TChromiumPage::StartPrompts() {
  Send("Security.enable", {});
  Send("Security.setOverrideCertificateErrors", {{"override", true}});
  FDownloadFolder = DownloadScratchFolder();
  std::string engine_folder = FAddresses.UnixEngine() ? engine::UnixPathOf(FDownloadFolder) : ToUtf8(FDownloadFolder);
  Send("Browser.setDownloadBehavior",
       {{"behavior", "allowAndName"}, {"downloadPath", engine_folder}, {"eventsEnabled", true}});
}

// ---- Script dialogs (UI thread) ----------------------------------------------------------

void TChromiumPage::OnDialogOpening(const json& params) {
  auto self = shared_from_this();
  PostUi([self, params] { self->AnswerDialog(params); });
}

void TChromiumPage::AnswerDialog(const json& params) {
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  if (!core || FClosed) return;
  const std::string type = params.value("type", "");
  const std::wstring message = FromUtf8(params.value("message", ""));
  auto self = shared_from_this();
  TRef<TJsDialogCallback> callback = MakeRuntimeObject<TJsDialogCallback>([self](bool accept, std::wstring input) {
    json answer = {{"accept", accept}};
    if (accept) answer["promptText"] = ToUtf8(input);
    self->Send("Page.handleJavaScriptDialog", answer);
  });
  bool handled;
  bool accept;
  if (type == "beforeunload") {
    handled = AskBeforeUnloadDialog(*core, message, false, *callback);
    accept = true;
  } else {
    bool suppress = false;
    cef_jsdialog_type_t kind = DialogType(type);
    handled = AskJsDialog(*core, ProgramAddress(params.value("url", "")), kind, message,
                          FromUtf8(params.value("defaultPrompt", "")), *callback, suppress);
    accept = kind == JSDIALOGTYPE_ALERT && !suppress;
  }
  TJournalLine line("jsdialog");
  line.Int("browser", core->Id()).Word("type", type.c_str()).Text("message", message).Word("by", handled ? "program" : "runtime");
  if (!handled) line.Int("accepted", accept ? 1 : 0);
  line.Write();
  if (!handled) callback->Answer(accept, {});
}

// ---- Credentials (IO thread) -------------------------------------------------------------

void TChromiumPage::OnAuthRequired(const json& params) {
  auto self = shared_from_this();
  TRuntimeThreads::Instance().Post(TID_IO, MakeWork([self, params] { self->AskCredentials(params); }));
}

void TChromiumPage::AskCredentials(const json& params) {
  STANDIN_ON_THREAD(TID_IO);
  std::string request_id = params.value("requestId", "");
  auto self = shared_from_this();
  TRef<TAuthCallback> callback =
      MakeRuntimeObject<TAuthCallback>([self, request_id](bool given, std::wstring user, std::wstring password) {
        // Refused, the engine shows the server's own answer (its 401 page).
        json response = given ? json{{"response", "ProvideCredentials"}, {"username", ToUtf8(user)},
                                     {"password", ToUtf8(password)}}
                              : json{{"response", "CancelAuth"}};
        self->Send("Fetch.continueWithAuth", {{"requestId", request_id}, {"authChallengeResponse", response}});
      });
  auto core = FCore.lock();
  if (!core || FClosed) return;
  const json challenge = params.value("authChallenge", json::object());
  TUrlParts origin;
  ParseUrl(FromUtf8(challenge.value("origin", "")), origin);
  int port = origin.port.empty() ? (origin.scheme == L"https" ? 443 : 80) : _wtoi(origin.port.c_str());
  bool asked = AskAuthCredentials(*core, challenge.value("source", "") == "Proxy", origin.host, port,
                                  FromUtf8(challenge.value("realm", "")), FromUtf8(challenge.value("scheme", "")),
                                  *callback);
  TJournalLine("auth_request").Int("browser", core->Id()).Text("origin", origin.origin)
      .Text("realm", FromUtf8(challenge.value("realm", ""))).Word("by", asked ? "program" : "runtime").Write();
  if (!asked) callback->Refuse();
}

// ---- Certificates (UI thread) -------------------------------------------------------------

void TChromiumPage::OnCertificateError(const json& params) {
  auto self = shared_from_this();
  PostUi([self, params] { self->AnswerCertificate(params); });
}

void TChromiumPage::AnswerCertificate(const json& params) {
  STANDIN_ON_THREAD(TID_UI);
  int event_id = params.value("eventId", 0);
  auto answered = std::make_shared<std::atomic<bool>>(false);
  auto self = shared_from_this();
  int error = ErrorCodeOfName(params.value("errorType", ""));
  auto answer = [self, event_id, answered, error](bool allow) {
    if (answered->exchange(true)) return;
    if (!allow) self->PostUi([self, error] { self->FCertificateError = error; });
    self->Send("Security.handleCertificateError", {{"eventId", event_id}, {"action", allow ? "continue" : "cancel"}});
  };
  // The program's setting takes every certificate without asking.
  if (TRuntimeState::Instance().Settings().ignore_certificate_errors) return answer(true);
  auto core = FCore.lock();
  if (!core || FClosed) return answer(false);
  TRef<TRequestCallback> callback = MakeRuntimeObject<TRequestCallback>(answer);
  bool asked = AskCertificateError(*core, error, ProgramAddress(params.value("requestURL", "")), *callback);
  TJournalLine("certificate_error").Int("browser", core->Id()).Int("error", error)
      .Word("by", asked ? "program" : "runtime").Write();
  if (!asked) answer(false);
}

// ---- Windows the page opens -----------------------------------------------------------

void TChromiumPage::OnWindowOpen(const json& params) {
  auto self = shared_from_this();
  TRuntimeThreads::Instance().Post(TID_IO, MakeWork([self, params] {
    STANDIN_ON_THREAD(TID_IO);
    auto core = self->FCore.lock();
    if (!core || self->FClosed) return;
    std::wstring url = self->ProgramAddress(params.value("url", ""));
    bool cancelled = AskBeforePopup(*core, url, FromUtf8(params.value("windowName", "")),
                                    params.value("userGesture", false));
    // Either way no window opens: the runtime has none to give a popup.
    TJournalLine("popup").Int("browser", core->Id()).Text("url", url).Int("cancelled", cancelled ? 1 : 0).Write();
  }));
}

// The engine made a target for a window the page opened: it goes at once.
void TChromiumPage::OnTargetCreated(const json& params) {
  const json info = params.value("targetInfo", json::object());
  if (info.value("openerId", "") != FTarget) return;
  std::string target = info.value("targetId", "");
  FConnection->Call("Target.closeTarget", {{"targetId", target}}, "", [target](const engine::TReply& reply) {
    TJournalLine("popup_target").Text("target", std::string_view(target)).Int("closed", reply.ok ? 1 : 0).Write();
  });
}

// ---- Downloads (UI thread for the program) -------------------------------------------------

void TChromiumPage::OnDownloadWillBegin(const json& params) {
  auto self = shared_from_this();
  PostUi([self, params] { self->AskDownload(params); });
}

void TChromiumPage::AskDownload(const json& params) {
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  std::string guid = params.value("guid", "");
  TDownloadState state;
  state.id = static_cast<uint32_t>(++FDownloadCount);
  state.url = ProgramAddress(params.value("url", ""));
  state.suggested_name = FromUtf8(params.value("suggestedFilename", ""));
  {
    std::lock_guard<std::mutex> lock(FLock);
    FDownloads[guid].name = state.suggested_name;
  }
  auto self = shared_from_this();
  TRef<TBeforeDownloadCallback> callback = MakeRuntimeObject<TBeforeDownloadCallback>(
      [self, guid](bool go, std::wstring path) { self->DownloadAnswered(guid, go, std::move(path)); });
  if (core && !FClosed) {
    TRef<TDownloadItem> item = MakeRuntimeObject<TDownloadItem>(state);
    RaiseBeforeDownload(*core, *item, state.suggested_name, *callback);
    TJournalLine("download").Int("browser", core->Id()).Text("url", state.url).Text("name", state.suggested_name).Write();
  }
  // Released here: unless the program kept the callback, the download is cancelled now.
}

void TChromiumPage::DownloadAnswered(const std::string& guid, bool go, std::wstring path) {
  bool completed;
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FDownloads.find(guid);
    if (it == FDownloads.end()) return;
    it->second.answered = true;
    it->second.go = go;
    it->second.path = std::move(path);
    completed = it->second.completed;
  }
  if (!go) Send("Browser.cancelDownload", {{"guid", guid}});
  if (completed || !go) SettleDownload(guid);
}

void TChromiumPage::OnDownloadProgress(const json& params) {
  std::string state = params.value("state", "");
  if (state != "completed" && state != "canceled") return;
  std::string guid = params.value("guid", "");
  bool settle;
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FDownloads.find(guid);
    if (it == FDownloads.end()) return;
    it->second.completed = true;
    settle = it->second.answered;
  }
  if (settle) SettleDownload(guid);
}

// A finished download goes where the program said, or is removed when it said nothing.
void TChromiumPage::SettleDownload(const std::string& guid) {
  TDownload download;
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FDownloads.find(guid);
    if (it == FDownloads.end()) return;
    if (!it->second.completed && it->second.go) return;
    download = it->second;
    if (download.completed) FDownloads.erase(it);
  }
  std::wstring file = FDownloadFolder + L"\\" + FromUtf8(guid);
  if (download.go) {
    // Without a path: the suggested name in the temporary folder, as the runtime does.
    std::wstring target = download.path;
    if (target.empty()) {
      wchar_t temp[MAX_PATH + 1] = {};
      GetTempPathW(MAX_PATH, temp);
      target = std::wstring(temp) + (download.name.empty() ? L"download" : download.name);
    }
    MoveFileExW(file.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
  } else {
    DeleteFileW(file.c_str());
  }
}

}  // namespace standin
