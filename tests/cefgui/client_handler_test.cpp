// The client handler as the runtime sees it: its C record and the records of the handlers it
// hands out, called the way the runtime calls them, with a recording sink behind.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "cefgui/client_handler.h"
#include "recording_sink.h"

namespace cefgui::test {
namespace {

template <class S>
void Release(S* data) {
  if (data) data->base.release(&data->base);
}

class ClientHandler : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(TCefBaseOwn::LiveBlocks(), FBlocksBefore) << "objects left alive"; }

  cef_client_t* Record(const RefPtr<TCustomClientHandler>& client) {
    return static_cast<cef_client_t*>(client->TCefClientOwn::Wrap());
  }

  int32_t FBlocksBefore = TCefBaseOwn::LiveBlocks();
};

using TGetter = void* (*)(cef_client_t*);
template <auto Member>
void* Get(cef_client_t* client) {
  return (client->*Member)(client);
}

const TGetter AllGetters[] = {
    Get<&cef_client_t::get_context_menu_handler>, Get<&cef_client_t::get_dialog_handler>,
    Get<&cef_client_t::get_display_handler>,      Get<&cef_client_t::get_download_handler>,
    Get<&cef_client_t::get_drag_handler>,         Get<&cef_client_t::get_find_handler>,
    Get<&cef_client_t::get_focus_handler>,        Get<&cef_client_t::get_geolocation_handler>,
    Get<&cef_client_t::get_jsdialog_handler>,     Get<&cef_client_t::get_keyboard_handler>,
    Get<&cef_client_t::get_life_span_handler>,    Get<&cef_client_t::get_load_handler>,
    Get<&cef_client_t::get_render_handler>,       Get<&cef_client_t::get_request_handler>,
};

TEST_F(ClientHandler, RendererChoiceDecidesWhetherARenderHandlerIsGiven) {
  for (bool renderer : {false, true}) {
    TRecordingSink sink;
    auto client = MakeRef<TCustomClientHandler>(&sink, renderer);
    cef_client_t* c = Record(client);
    auto* render = c->get_render_handler(c);
    EXPECT_EQ(render != nullptr, renderer);
    Release(render);
    Release(c);
  }
}

TEST_F(ClientHandler, AfterDetachEveryGetterAnswersNullAndMessagesAreRefused) {
  TRecordingSink sink;
  auto client = MakeRef<TCustomClientHandler>(&sink, true);
  cef_client_t* c = Record(client);
  for (TGetter get : AllGetters) {
    void* handler = get(c);
    EXPECT_NE(handler, nullptr);
    Release(static_cast<cef_load_handler_t*>(handler));
  }
  client->Detach();
  for (TGetter get : AllGetters) EXPECT_EQ(get(c), nullptr);
  EXPECT_EQ(c->on_process_message_received(c, nullptr, PID_RENDERER, nullptr), 0);
  EXPECT_EQ(*sink.Calls, 0);
  Release(c);
}

// The runtime's var/out values: what the sink writes reaches the runtime, and a sink that
// writes nothing leaves the runtime's value as it came.
class TWritingSink : public TRecordingSink {
 public:
  bool Write = false;
  void HandleProtocolExecution(const RefPtr<ICefBrowser>&, const ustring&, bool& allowOsExecution) override {
    Record("ProtocolExecution");
    if (Write) allowOsExecution = !allowOsExecution;
  }
};

TEST_F(ClientHandler, OutValuesWrittenByTheSinkReachTheRuntime) {
  struct TCase {
    bool write;
    int runtimeValue;
    int expected;
  } cases[] = {{false, 0, 0}, {false, 1, 1}, {true, 0, 1}, {true, 1, 0}};
  for (const TCase& test : cases) {
    TWritingSink sink;
    sink.Write = test.write;
    auto client = MakeRef<TCustomClientHandler>(&sink, false);
    cef_client_t* c = Record(client);
    cef_request_handler_t* request = c->get_request_handler(c);
    ASSERT_NE(request, nullptr);
    cef_string_t url{const_cast<wchar_t*>(L"mailto:x"), 8, nullptr};
    int allow = test.runtimeValue;
    request->on_protocol_execution(request, nullptr, &url, &allow);
    EXPECT_EQ(allow, test.expected) << "write=" << test.write << " runtime=" << test.runtimeValue;
    EXPECT_EQ(sink.Names, std::vector<std::string>{"ProtocolExecution"});
    Release(request);
    Release(c);
  }
}

TEST_F(ClientHandler, LateCallbackThroughAHeldHandlerNeverReachesTheDestroyedSink) {
  auto sink = std::make_unique<TRecordingSink>();
  auto calls = sink->Calls;
  auto client = MakeRef<TCustomClientHandler>(sink.get(), false);
  cef_client_t* c = Record(client);
  // What the runtime keeps from before the control went away.
  cef_load_handler_t* load = c->get_load_handler(c);
  cef_request_handler_t* request = c->get_request_handler(c);
  load->on_load_end(load, nullptr, nullptr, 200);
  EXPECT_EQ(*calls, 1);

  client->Detach();
  sink.reset();
  load->on_load_end(load, nullptr, nullptr, 200);
  // Unhandled requests go on, as they would with no request handler at all.
  EXPECT_EQ(request->on_before_resource_load(request, nullptr, nullptr, nullptr, nullptr), RV_CONTINUE);
  EXPECT_EQ(*calls, 1);
  Release(load);
  Release(request);
  Release(c);
}

// Blocks inside the sink until released, as a resource callback on a runtime thread might.
class TBlockingSink : public TRecordingSink {
 public:
  std::promise<void> Entered;
  std::promise<void> Leave;
  void HandleLoadStart(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&) override {
    Entered.set_value();
    Leave.get_future().wait();
  }
};

TEST_F(ClientHandler, DetachWaitsForACallAnotherThreadIsMakingIntoTheSink) {
  TBlockingSink sink;
  auto client = MakeRef<TCustomClientHandler>(&sink, false);
  cef_client_t* c = Record(client);
  cef_load_handler_t* load = c->get_load_handler(c);
  std::thread runtimeThread([load] { load->on_load_start(load, nullptr, nullptr); });
  sink.Entered.get_future().wait();

  auto detached = std::async(std::launch::async, [&] { client->Detach(); });
  EXPECT_EQ(detached.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
  sink.Leave.set_value();
  EXPECT_EQ(detached.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  runtimeThread.join();
  Release(load);
  Release(c);
}

// A sink that detaches its own client from inside a callback (an event handler freeing the
// control) must not wait for itself.
class TSelfDetachingSink : public TRecordingSink {
 public:
  TCustomClientHandler* Client = nullptr;
  void HandleGotFocus(const RefPtr<ICefBrowser>&) override { Client->Detach(); }
};

TEST_F(ClientHandler, DetachFromInsideTheSinkReturns) {
  TSelfDetachingSink sink;
  auto client = MakeRef<TCustomClientHandler>(&sink, false);
  sink.Client = client.get();
  cef_client_t* c = Record(client);
  cef_focus_handler_t* focus = c->get_focus_handler(c);
  auto done = std::async(std::launch::async, [focus] { focus->on_got_focus(focus, nullptr); });
  EXPECT_EQ(done.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(c->get_focus_handler(c), nullptr);
  Release(focus);
  Release(c);
}

}  // namespace
}  // namespace cefgui::test
