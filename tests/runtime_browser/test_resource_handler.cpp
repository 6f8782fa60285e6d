#include "test_resource_handler.h"

#include "runtime_library.h"
#include "test_client.h"

#include <chrono>
#include <cstring>

namespace standin_test {

namespace {

TTestResourceHandler* Self(cef_resource_handler_t* self) { return reinterpret_cast<TTestResourceHandler*>(self); }

void Continue(cef_callback_t* callback) {
  callback->cont(callback);
  callback->base.release(&callback->base);
}

// Continues from another thread a little later, as a handler waiting for data would.
void ContinueLater(TTestResourceHandler* handler, cef_callback_t* callback) {
  std::lock_guard<std::mutex> guard(handler->lock);
  handler->helpers.emplace_back([callback] {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Continue(callback);
  });
}

int CEF_CALLBACK ProcessRequest(cef_resource_handler_t* self, cef_request_t* request, cef_callback_t* callback) {
  TTestResourceHandler* h = Self(self);
  {
    std::lock_guard<std::mutex> guard(h->lock);
    h->threads.push_back(GetCurrentThreadId());
  }
  request->base.release(&request->base);
  if (h->setup.never_continue) {
    callback->base.release(&callback->base);
  } else if (h->setup.continue_later) {
    ContinueLater(h, callback);
  } else {
    Continue(callback);
  }
  return 1;
}

void CEF_CALLBACK GetResponseHeaders(cef_resource_handler_t* self, cef_response_t* response, int64* length,
                                     cef_string_t* redirect) {
  TTestResourceHandler* h = Self(self);
  cef_string_t mime = {h->setup.mime_type.data(), h->setup.mime_type.size(), nullptr};
  response->set_mime_type(response, &mime);
  response->set_status(response, h->setup.status);
  response->base.release(&response->base);
  *length = h->setup.announce_length ? static_cast<int64>(h->setup.body.size()) : -1;
  if (!h->setup.redirect_to.empty())
    CEF(cef_string_utf16_set)(h->setup.redirect_to.c_str(), h->setup.redirect_to.size(), redirect, 1);
}

int CEF_CALLBACK ReadResponse(cef_resource_handler_t* self, void* data, int wanted, int* read, cef_callback_t* callback) {
  TTestResourceHandler* h = Self(self);
  {
    std::lock_guard<std::mutex> guard(h->lock);
    h->requested_sizes.push_back(wanted);
    h->threads.push_back(GetCurrentThreadId());
  }
  *read = 0;
  if (h->setup.continue_later && h->requested_sizes.size() % 2 == 1) {
    // Every other read: no data yet, the callback continues later.
    ContinueLater(h, callback);
    return 1;
  }
  callback->base.release(&callback->base);
  size_t left = h->setup.body.size() - h->position;
  if (left == 0) return 0;
  size_t n = std::min<size_t>(left, static_cast<size_t>(wanted));
  std::memcpy(data, h->setup.body.data() + h->position, n);
  h->position += n;
  *read = static_cast<int>(n);
  return 1;
}

int CEF_CALLBACK CanCookie(cef_resource_handler_t*, const cef_cookie_t*) { return 0; }

void CEF_CALLBACK Cancel(cef_resource_handler_t* self) { Self(self)->cancelled = true; }

cef_resource_handler_t* CEF_CALLBACK Create(cef_scheme_handler_factory_t* self, cef_browser_t* browser,
                                            cef_frame_t* frame, const cef_string_t* scheme, cef_request_t* request) {
  auto* factory = reinterpret_cast<TTestFactory*>(self);
  browser->base.release(&browser->base);
  frame->base.release(&frame->base);
  request->base.release(&request->base);
  std::lock_guard<std::mutex> guard(factory->lock);
  factory->create_threads.push_back(GetCurrentThreadId());
  factory->scheme_names.push_back(Text(scheme));
  factory->handlers.push_back(std::make_unique<TTestResourceHandler>(factory->setup));
  return factory->handlers.back()->Hand();
}

}  // namespace

TTestResourceHandler::TTestResourceHandler(THandlerSetup s) : setup(std::move(s)) {
  counted.data.process_request = &ProcessRequest;
  counted.data.get_response_headers = &GetResponseHeaders;
  counted.data.read_response = &ReadResponse;
  counted.data.can_get_cookie = &CanCookie;
  counted.data.can_set_cookie = &CanCookie;
  counted.data.cancel = &Cancel;
}

TTestResourceHandler::~TTestResourceHandler() {
  for (std::thread& helper : helpers) helper.join();
}

TTestFactory::TTestFactory() { counted.data.create = &Create; }

TTestResourceHandler* TTestFactory::Last() {
  std::lock_guard<std::mutex> guard(lock);
  return handlers.empty() ? nullptr : handlers.back().get();
}

}  // namespace standin_test
