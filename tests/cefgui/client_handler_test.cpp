// The client handler as the runtime sees it: its C record and the records of the handlers it
// hands out, called the way the runtime calls them, with a recording sink behind.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <type_traits>
#include <utility>

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

// Every route: each runtime callback, called as the runtime would, reaches its own sink
// operation and no other.
alignas(16) unsigned char BlankRecord[1024];

template <class C>
C Blank() {
  using T = std::remove_cv_t<std::remove_pointer_t<C>>;
  // Objects, lists and texts to fill are null; every other record is zeroed.
  if constexpr (std::is_pointer_v<C> && !CefCountedStruct<T> && !std::is_same_v<C, cef_string_list_t> &&
                !std::is_same_v<C, cef_string_t*>)
    return reinterpret_cast<C>(BlankRecord);
  else
    return C{};
}

template <class R, class S, class... C>
void CallBlank(R(CEF_CALLBACK* callback)(S*, C...), S* self) {
  callback(self, Blank<C>()...);
}

template <auto Getter, auto Callback>
void Route(cef_client_t* client) {
  auto* handler = (client->*Getter)(client);
  CallBlank(handler->*Callback, handler);
  Release(handler);
}

#define R(kind, callback, operation) \
  { Route<&cef_client_t::get_##kind##_handler, &cef_##kind##_handler_t::callback>, #operation }
const struct {
  void (*Call)(cef_client_t*);
  const char* Operation;
} Routes[] = {
    {[](cef_client_t* c) { CallBlank(c->on_process_message_received, c); }, "ProcessMessageReceived"},
    R(load, on_loading_state_change, LoadingStateChange), R(load, on_load_start, LoadStart),
    R(load, on_load_end, LoadEnd), R(load, on_load_error, LoadError), R(focus, on_take_focus, TakeFocus),
    R(focus, on_set_focus, SetFocus), R(focus, on_got_focus, GotFocus),
    R(context_menu, on_before_context_menu, BeforeContextMenu),
    R(context_menu, on_context_menu_command, ContextMenuCommand),
    R(context_menu, on_context_menu_dismissed, ContextMenuDismissed), R(keyboard, on_pre_key_event, PreKeyEvent),
    R(keyboard, on_key_event, KeyEvent), R(display, on_address_change, AddressChange),
    R(display, on_title_change, TitleChange), R(display, on_favicon_urlchange, FavIconUrlChange),
    R(display, on_fullscreen_mode_change, FullScreenModeChange), R(display, on_tooltip, Tooltip),
    R(display, on_status_message, StatusMessage), R(display, on_console_message, ConsoleMessage),
    R(geolocation, on_request_geolocation_permission, RequestGeolocationPermission),
    R(geolocation, on_cancel_geolocation_permission, CancelGeolocationPermission),
    R(download, on_before_download, BeforeDownload), R(download, on_download_updated, DownloadUpdated),
    R(jsdialog, on_jsdialog, Jsdialog), R(jsdialog, on_before_unload_dialog, BeforeUnloadDialog),
    R(jsdialog, on_reset_dialog_state, ResetDialogState), R(jsdialog, on_dialog_closed, DialogClosed),
    R(life_span, on_before_popup, BeforePopup), R(life_span, on_after_created, AfterCreated),
    R(life_span, run_modal, RunModal), R(life_span, do_close, Close), R(life_span, on_before_close, BeforeClose),
    R(request, on_before_browse, BeforeBrowse), R(request, on_open_urlfrom_tab, OpenUrlFromTab),
    R(request, on_before_resource_load, BeforeResourceLoad), R(request, get_resource_handler, GetResourceHandler),
    R(request, on_resource_redirect, ResourceRedirect), R(request, on_resource_response, ResourceResponse),
    R(request, get_auth_credentials, GetAuthCredentials), R(request, on_quota_request, QuotaRequest),
    R(request, on_protocol_execution, ProtocolExecution), R(request, on_certificate_error, CertificateError),
    R(request, on_plugin_crashed, PluginCrashed), R(request, on_render_view_ready, RenderViewReady),
    R(request, on_render_process_terminated, RenderProcessTerminated), R(dialog, on_file_dialog, FileDialog),
    R(render, get_root_screen_rect, GetRootScreenRect), R(render, get_view_rect, GetViewRect),
    R(render, get_screen_point, GetScreenPoint), R(render, on_popup_show, PopupShow),
    R(render, on_popup_size, PopupSize), R(render, on_paint, Paint), R(render, on_cursor_change, CursorChange),
    R(render, start_dragging, StartDragging), R(render, update_drag_cursor, UpdateDragCursor),
    R(render, on_scroll_offset_changed, ScrollOffsetChanged), R(drag, on_drag_enter, DragEnter),
    R(drag, on_draggable_regions_changed, DraggableRegionsChanged), R(find, on_find_result, FindResult),
};
#undef R

TEST_F(ClientHandler, EveryRuntimeCallbackReachesItsOwnSinkOperation) {
  // Without a runtime, the text lists that come with a callback are empty.
  auto listSize = std::exchange(ceflib::cef_string_list_size, +[](cef_string_list_t) { return 0; });
  for (const auto& route : Routes) {
    TRecordingSink sink;
    auto client = MakeRef<TCustomClientHandler>(&sink, true);
    cef_client_t* c = Record(client);
    route.Call(c);
    EXPECT_EQ(sink.Names, std::vector<std::string>{route.Operation});
    Release(c);
  }
  ceflib::cef_string_list_size = listSize;
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
