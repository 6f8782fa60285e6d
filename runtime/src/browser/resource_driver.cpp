#include "resource_driver.h"

#include "faults.h"
#include "callbacks.h"
#include "load_result.h"
#include "navigation.h"
#include "response.h"
#include "runtime_threads.h"
#include "string_record.h"

#include <vector>

namespace standin {

struct TResourceDriver::TBody {
  TLoadResult result;
};

namespace {

template <class F>
void PostToIo(F&& f) {
  TRuntimeThreads::Instance().Post(TID_IO, MakeWork(std::forward<F>(f)));
}

}  // namespace

void StartResourceDriver(const TCoreRef& core, const TNavigationRef& nav, THeld<cef_resource_handler_t> handler) {
  TResourceJob job;
  job.request = nav->request;
  job.aborted = [nav] { return nav->aborted.load(); };
  job.done = [core, nav](TLoadResult result) {
    {
      std::lock_guard<std::mutex> lock(nav->driver_lock);
      nav->driver.reset();
    }
    CompleteLoad(core, nav, std::move(result));
  };
  auto driver = std::make_shared<TResourceDriver>(std::move(job), std::move(handler));
  {
    std::lock_guard<std::mutex> lock(nav->driver_lock);
    nav->driver = driver;
  }
  driver->Start();
}

TResourceDriver::TResourceDriver(TResourceJob job, THeld<cef_resource_handler_t> handler)
    : FJob(std::move(job)), FHandler(std::move(handler)), FResult(std::make_unique<TBody>()) {}

TResourceDriver::~TResourceDriver() = default;

void TResourceDriver::Start() {
  std::weak_ptr<TResourceDriver> weak = weak_from_this();
  FCallback = MakeRuntimeObject<TCallback>(
      [weak] {
        if (auto self = weak.lock()) self->OnContinue();
      },
      [weak] {
        if (auto self = weak.lock()) self->OnCancel();
      });
  FResult->result.final_url = FJob.request->Url();
  if (!FHandler->process_request ||
      !FHandler->process_request(FHandler.Get(), FJob.request->PassOut(), FCallback->PassOut())) {
    Finish(ERR_ABORTED);
  }
}

void TResourceDriver::OnContinue() {
  std::lock_guard<std::mutex> lock(FLock);
  auto self = shared_from_this();
  if (FPhase == TPhase::Request) {
    FPhase = TPhase::Headers;
    PostToIo([self] { self->ReadHeaders(); });
  } else if (FPhase == TPhase::WaitingForData) {
    FPhase = TPhase::Reading;
    PostToIo([self] { self->ReadBody(); });
  }
  // Anything else: a continue nobody waits for, as when a handler continues right after
  // handing data over synchronously.
}

void TResourceDriver::OnCancel() {
  auto self = shared_from_this();
  PostToIo([self] { self->Finish(ERR_ABORTED); });
}

void TResourceDriver::ReadHeaders() {
  if (FJob.aborted() || !FHandler) return;
  TRef<TResponse> response = MakeRuntimeObject<TResponse>();
  int64 length = -1;
  cef_string_t redirect = {};
  if (FHandler->get_response_headers)
    FHandler->get_response_headers(FHandler.Get(), response->PassOut(), &length, &redirect);
  std::wstring redirect_url = Read(&redirect);
  cef_string_utf16_clear(&redirect);
  response->SetReadOnly(true);
  if (FaultOn("early_release")) {
    Finish(ERR_ABORTED);
    return;
  }

  TLoadResult& result = FResult->result;
  result.status = response->Status() != 0 ? response->Status() : 200;
  result.status_text = response->StatusText();
  result.mime_type = response->MimeType();
  result.headers = response->Headers();
  if (!redirect_url.empty()) {
    result.redirect_to = redirect_url;
    Finish(0);
    return;
  }
  FLength = length;
  if (FLength > kMaxBody) {
    Finish(ERR_FILE_TOO_BIG);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(FLock);
    FPhase = TPhase::Reading;
  }
  ReadBody();
}

void TResourceDriver::ReadBody() {
  std::vector<char> buffer(kReadSize);
  std::string& body = FResult->result.body;
  for (;;) {
    if (FJob.aborted() || !FHandler) return;
    int64_t wanted = kReadSize;
    if (FLength >= 0) wanted = std::min<int64_t>(kReadSize, FLength - static_cast<int64_t>(body.size()));
    if (wanted <= 0) {
      Finish(0);
      return;
    }
    int read = 0;
    {
      // A continue that arrives while read_response runs must find the wait already armed.
      std::lock_guard<std::mutex> lock(FLock);
      FPhase = TPhase::WaitingForData;
    }
    int more = FHandler->read_response ? FHandler->read_response(FHandler.Get(), buffer.data(), static_cast<int>(wanted),
                                                                  &read, FCallback->PassOut())
                                       : 0;
    if (!more) {
      Finish(0);  // the handler has no more data
      return;
    }
    if (read > 0) body.append(buffer.data(), static_cast<size_t>(std::min<int64_t>(read, wanted)));
    {
      std::lock_guard<std::mutex> lock(FLock);
      // A continue during the call has already scheduled the next read; with no data and no
      // continue yet, the handler continues later.
      if (FPhase != TPhase::WaitingForData) return;
      if (read <= 0) return;
      FPhase = TPhase::Reading;
    }
    if (static_cast<int64_t>(body.size()) > kMaxBody) {
      Finish(ERR_FILE_TOO_BIG);
      return;
    }
  }
}

void TResourceDriver::Finish(int error) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FPhase == TPhase::Done) return;
    FPhase = TPhase::Done;
  }
  FHandler.Reset();
  FCallback.Reset();  // a program that keeps the callback keeps only that
  TLoadResult result = std::move(FResult->result);
  if (error != 0) result = TLoadResult::Failure(error, FJob.request->Url());
  FJob.done(std::move(result));
}

void TResourceDriver::Abort() {
  auto self = shared_from_this();
  PostToIo([self] { self->AbortOnIo(); });
}

void TResourceDriver::AbortOnIo() {
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FPhase == TPhase::Done) return;
    FPhase = TPhase::Done;
  }
  if (FHandler && FHandler->cancel) FHandler->cancel(FHandler.Get());
  FHandler.Reset();
  FCallback.Reset();
  FJob.done(TLoadResult::Failure(ERR_ABORTED, FJob.request->Url()));
}

}  // namespace standin
