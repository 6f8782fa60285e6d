// How much the object bridge costs per crossing, in time and in heap allocations:
//  - a Ref operation with a text argument (the text goes over as a view: no allocation),
//  - an Own callback with no object argument (finding the owner is one read: no allocation),
//  - an Own callback with an object argument (one temporary wrapper: one allocation),
//  - making and dropping an Own object (the object from the C++ heap, its owner-and-struct
//    block from the process heap, so one counted allocation).
// Runtime objects are played by plain C structs, so only the bridge is measured.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_own_of.h"

namespace {

std::atomic<long long> Allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace ceflib;

// A runtime object whose counting does nothing: the benchmark holds it for its whole run.
template <class S>
S MakeFakeStruct() {
  S s{};
  s.base.size = sizeof(S);
  s.base.add_ref = [](cef_base_t*) CEF_CALLBACK {};
  s.base.release = [](cef_base_t*) CEF_CALLBACK { return 0; };
  s.base.has_one_ref = [](cef_base_t*) CEF_CALLBACK { return 1; };
  return s;
}

volatile size_t Sink;

class IBenchLoadHandler : public virtual ICefBase {
 public:
  virtual void OnLoadingStateChange(const RefPtr<ICefBrowser>& browser, bool isLoading, bool canGoBack,
                                    bool canGoForward) = 0;
  virtual void OnLoadEnd(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame, int status) = 0;
};

class TBenchLoadHandler : public TCefOwnOf<IBenchLoadHandler, cef_load_handler_t> {
 public:
  TBenchLoadHandler() {
    Bind<&cef_load_handler_t::on_loading_state_change, &TBenchLoadHandler::OnLoadingStateChange>();
    Bind<&cef_load_handler_t::on_load_end, &TBenchLoadHandler::OnLoadEnd>();
  }
  void OnLoadingStateChange(const RefPtr<ICefBrowser>& browser, bool isLoading, bool, bool) override {
    Sink = Sink + (browser ? 1 : 0) + isLoading;
  }
  void OnLoadEnd(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, int status) override {
    Sink = Sink + static_cast<size_t>(status);
  }
};

template <class Body>
void Measure(const char* name, long iterations, Body body) {
  body();  // warm up
  long long allocationsBefore = Allocations.load();
  auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < iterations; ++i) body();
  auto elapsed = std::chrono::steady_clock::now() - start;
  double ns = std::chrono::duration<double, std::nano>(elapsed).count() / iterations;
  double allocations = double(Allocations.load() - allocationsBefore) / iterations;
  std::printf("%-46s %9.1f ns/op %6.2f allocations/op\n", name, ns, allocations);
}

}  // namespace

int main() {
  const long n = 2'000'000;
  std::printf("object bridge, %ld iterations each\n", n);

  cef_frame_t frameStruct = MakeFakeStruct<cef_frame_t>();
  frameStruct.load_url = [](cef_frame_t*, const cef_string_t* url) CEF_CALLBACK { Sink = url->length; };
  RefPtr<ICefFrame> frame = ICefFrame::UnWrap(&frameStruct);
  const ustring address = L"https://dashboard.example/status/overview?refresh=30";
  Measure("Ref operation LoadUrl(text)", n, [&] { frame->LoadUrl(address); });

  RefPtr<TBenchLoadHandler> handler = MakeRef<TBenchLoadHandler>();
  auto* data = static_cast<cef_load_handler_t*>(CefStructOf(handler));
  Measure("Own callback, no object argument", n, [&] { data->on_loading_state_change(data, nullptr, 1, 0, 0); });

  cef_browser_t browserStruct = MakeFakeStruct<cef_browser_t>();
  Measure("Own callback, one object argument", n,
          [&] { data->on_loading_state_change(data, &browserStruct, 1, 0, 0); });
  Measure("Own callback, two object arguments", n,
          [&] { data->on_load_end(data, &browserStruct, &frameStruct, 200); });
  data->base.release(&data->base);

  Measure("make and drop an Own object", n / 4, [] { RefPtr<TBenchLoadHandler> made = MakeRef<TBenchLoadHandler>(); });
  return 0;
}
