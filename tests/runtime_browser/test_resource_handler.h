#pragma once
// A resource handler and a scheme handler factory as a program writes them: the handler
// serves a body in the pieces the runtime asks for, optionally answering later from another
// thread, and records how the runtime drove it.

#include "test_objects.h"

#include <cef_capi.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace standin_test {

struct THandlerSetup {
  std::string body;
  std::wstring mime_type = L"text/html";
  int status = 200;
  bool announce_length = true;   // otherwise -1: read until read_response answers false
  std::wstring redirect_to;      // answer the headers with a redirect
  bool continue_later = false;   // process_request and reads continue from another thread
  bool never_continue = false;   // process_request never continues
};

struct TTestResourceHandler {
  TCounted<cef_resource_handler_t> counted;  // first: self is this object
  THandlerSetup setup;
  size_t position = 0;
  std::mutex lock;
  std::vector<int> requested_sizes;
  std::vector<DWORD> threads;
  std::atomic<bool> cancelled{false};
  std::vector<std::thread> helpers;

  explicit TTestResourceHandler(THandlerSetup setup);
  ~TTestResourceHandler();
  cef_resource_handler_t* Hand() { return counted.Hand(); }
};

struct TTestFactory {
  TCounted<cef_scheme_handler_factory_t> counted;  // first
  THandlerSetup setup;
  std::mutex lock;
  std::vector<std::unique_ptr<TTestResourceHandler>> handlers;
  std::vector<DWORD> create_threads;
  std::vector<std::wstring> scheme_names;

  TTestFactory();
  cef_scheme_handler_factory_t* Hand() { return counted.Hand(); }
  TTestResourceHandler* Last();
};

}  // namespace standin_test
