// Every object we hand to the runtime, called the way the runtime calls it: each struct member
// is bound (the render handler's get_screen_info excepted), and each operation a class does not
// override answers with its default.

#include <gtest/gtest.h>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_callback.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_context_menu_handler.h"
#include "ceflib/cef_cookie.h"
#include "ceflib/cef_dialog_handler.h"
#include "ceflib/cef_display_handler.h"
#include "ceflib/cef_dom.h"
#include "ceflib/cef_download_handler.h"
#include "ceflib/cef_drag_handler.h"
#include "ceflib/cef_find_handler.h"
#include "ceflib/cef_focus_handler.h"
#include "ceflib/cef_geolocation_handler.h"
#include "ceflib/cef_jsdialog_handler.h"
#include "ceflib/cef_keyboard_handler.h"
#include "ceflib/cef_life_span_handler.h"
#include "ceflib/cef_load_handler.h"
#include "ceflib/cef_render_handler.h"
#include "ceflib/cef_request_handler.h"
#include "ceflib/cef_string_visitor.h"
#include "ceflib/cef_v8.h"
#include "surface_test.h"

namespace ceflib::test {
namespace {

// The struct of an object of ours, held by the test as the runtime would hold it.
template <class S, class T>
class TRuntimeHold {
 public:
  explicit TRuntimeHold(const RefPtr<T>& object) : FData(static_cast<S*>(CefStructOf(object))) {}
  ~TRuntimeHold() { FData->base.release(&FData->base); }
  TRuntimeHold(const TRuntimeHold&) = delete;
  TRuntimeHold& operator=(const TRuntimeHold&) = delete;
  S* operator->() const { return FData; }
  S* get() const { return FData; }

  // The function members in struct order, null where unbound.
  std::vector<const void*> Members() const {
    std::vector<const void*> members;
    auto* slots = reinterpret_cast<void* const*>(reinterpret_cast<const char*>(FData) + sizeof(cef_base_t));
    for (size_t i = 0; i < (sizeof(S) - sizeof(cef_base_t)) / sizeof(void*); ++i) members.push_back(slots[i]);
    return members;
  }

 private:
  S* FData;
};

template <class S, class T>
TRuntimeHold<S, T> Hold(const RefPtr<T>& object) {
  return TRuntimeHold<S, T>(object);
}

template <class S, class T>
void ExpectEveryMemberBound(const RefPtr<T>& object) {
  auto held = Hold<S>(object);
  EXPECT_EQ(held->base.size, sizeof(S));
  std::vector<const void*> members = held.Members();
  for (size_t i = 0; i < members.size(); ++i) EXPECT_NE(members[i], nullptr) << typeid(S).name() << " member " << i;
}

class OwnDefaults : public CefSurface {};

// Concrete forms of the classes whose operations subclasses must supply.
class TTestPdfPrintCallback : public TCefPdfPrintCallbackOwn {
 public:
  void OnPdfPrintFinished(const ustring&, bool) override {}
};
class TTestSetCookieCallback : public TCefSetCookieCallbackOwn {
 public:
  void OnComplete(bool) override {}
};
class TTestDeleteCookiesCallback : public TCefDeleteCookiesCallbackOwn {
 public:
  void OnComplete(int) override {}
};
class TTestFindHandler : public TCefFindHandlerOwn {
 public:
  void OnFindResult(const RefPtr<ICefBrowser>&, int, int, const cef_rect_t*, int, bool) override {}
};

TEST_F(OwnDefaults, EveryStructMemberIsBound) {
  ExpectEveryMemberBound<cef_client_t>(MakeRef<TCefClientOwn>());
  ExpectEveryMemberBound<cef_life_span_handler_t>(MakeRef<TCefLifeSpanHandlerOwn>());
  ExpectEveryMemberBound<cef_load_handler_t>(MakeRef<TCefLoadHandlerOwn>());
  ExpectEveryMemberBound<cef_request_handler_t>(MakeRef<TCefRequestHandlerOwn>());
  ExpectEveryMemberBound<cef_display_handler_t>(MakeRef<TCefDisplayHandlerOwn>());
  ExpectEveryMemberBound<cef_focus_handler_t>(MakeRef<TCefFocusHandlerOwn>());
  ExpectEveryMemberBound<cef_keyboard_handler_t>(MakeRef<TCefKeyboardHandlerOwn>());
  ExpectEveryMemberBound<cef_jsdialog_handler_t>(MakeRef<TCefJsDialogHandlerOwn>());
  ExpectEveryMemberBound<cef_context_menu_handler_t>(MakeRef<TCefContextMenuHandlerOwn>());
  ExpectEveryMemberBound<cef_dialog_handler_t>(MakeRef<TCefDialogHandlerOwn>());
  ExpectEveryMemberBound<cef_download_handler_t>(MakeRef<TCefDownloadHandlerOwn>());
  ExpectEveryMemberBound<cef_geolocation_handler_t>(MakeRef<TCefGeolocationHandlerOwn>());
  ExpectEveryMemberBound<cef_drag_handler_t>(MakeRef<TCefDragHandlerOwn>());
  ExpectEveryMemberBound<cef_find_handler_t>(MakeRef<TTestFindHandler>());
  ExpectEveryMemberBound<cef_completion_callback_t>(MakeRef<TCefCompletionCallbackOwn>());
  ExpectEveryMemberBound<cef_set_cookie_callback_t>(MakeRef<TTestSetCookieCallback>());
  ExpectEveryMemberBound<cef_delete_cookies_callback_t>(MakeRef<TTestDeleteCookiesCallback>());
  ExpectEveryMemberBound<cef_cookie_visitor_t>(MakeRef<TCefCookieVisitorOwn>());
  ExpectEveryMemberBound<cef_string_visitor_t>(MakeRef<TCefStringVisitorOwn>());
  ExpectEveryMemberBound<cef_domvisitor_t>(MakeRef<TCefDomVisitorOwn>());
  ExpectEveryMemberBound<cef_v8accessor_t>(MakeRef<TCefV8AccessorOwn>());
  ExpectEveryMemberBound<cef_run_file_dialog_callback_t>(MakeRef<TCefRunFileDialogCallbackOwn>());
  ExpectEveryMemberBound<cef_navigation_entry_visitor_t>(MakeRef<TCefNavigationEntryVisitorOwn>());
  ExpectEveryMemberBound<cef_pdf_print_callback_t>(MakeRef<TTestPdfPrintCallback>());
}

TEST_F(OwnDefaults, RenderHandlerLeavesGetScreenInfoNullAndBindsTheRest) {
  auto held = Hold<cef_render_handler_t>(MakeRef<TCefRenderHandlerOwn>());
  EXPECT_EQ(held->get_screen_info, nullptr);
  std::vector<const void*> members = held.Members();
  ASSERT_EQ(members.size(), 11u);
  for (size_t i = 0; i < members.size(); ++i) {
    if (i != 3) {
      EXPECT_NE(members[i], nullptr) << "member " << i;
    }
  }
}

TEST_F(OwnDefaults, ClientGivesNoHandlerAndHandlesNoMessage) {
  auto c = Hold<cef_client_t>(MakeRef<TCefClientOwn>());
  EXPECT_EQ(c->get_context_menu_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_dialog_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_display_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_download_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_drag_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_find_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_focus_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_geolocation_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_jsdialog_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_keyboard_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_life_span_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_load_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_render_handler(c.get()), nullptr);
  EXPECT_EQ(c->get_request_handler(c.get()), nullptr);
  TFake<cef_browser_t> browser;
  TFake<cef_process_message_t> message;
  EXPECT_EQ(c->on_process_message_received(c.get(), browser.Pass(), PID_RENDERER, message.Pass()), 0);
}

TEST_F(OwnDefaults, LifeSpanHandlerLetsTheRuntimeGoItsOwnWay) {
  auto h = Hold<cef_life_span_handler_t>(MakeRef<TCefLifeSpanHandlerOwn>());
  TFake<cef_browser_t> browser;
  cef_client_t* client = nullptr;
  int noJavascriptAccess = 1;
  EXPECT_EQ(h->on_before_popup(h.get(), browser.Pass(), nullptr, nullptr, nullptr, WOD_NEW_POPUP, 1, nullptr,
                               nullptr, &client, nullptr, &noJavascriptAccess),
            0);
  EXPECT_EQ(client, nullptr);
  EXPECT_EQ(noJavascriptAccess, 1);
  h->on_after_created(h.get(), browser.Pass());
  EXPECT_EQ(h->run_modal(h.get(), browser.Pass()), 0);
  EXPECT_EQ(h->do_close(h.get(), browser.Pass()), 0);
  h->on_before_close(h.get(), browser.Pass());
}

TEST_F(OwnDefaults, LoadHandlerDoesNothing) {
  auto h = Hold<cef_load_handler_t>(MakeRef<TCefLoadHandlerOwn>());
  TFake<cef_browser_t> browser;
  TFake<cef_frame_t> frame;
  h->on_loading_state_change(h.get(), browser.Pass(), 1, 0, 1);
  h->on_load_start(h.get(), browser.Pass(), frame.Pass());
  h->on_load_end(h.get(), browser.Pass(), frame.Pass(), 200);
  cef_string_t text{const_cast<wchar_t*>(L"failed"), 6, nullptr};
  h->on_load_error(h.get(), browser.Pass(), frame.Pass(), ERR_FAILED, &text, nullptr);
}

TEST_F(OwnDefaults, RequestHandlerLetsEveryRequestThrough) {
  auto h = Hold<cef_request_handler_t>(MakeRef<TCefRequestHandlerOwn>());
  TFake<cef_browser_t> browser;
  TFake<cef_frame_t> frame;
  TFake<cef_request_t> request;
  TFake<cef_request_callback_t> callback;
  EXPECT_EQ(h->on_before_browse(h.get(), browser.Pass(), frame.Pass(), request.Pass(), 0), 0);
  EXPECT_EQ(h->on_open_urlfrom_tab(h.get(), browser.Pass(), frame.Pass(), nullptr, WOD_NEW_FOREGROUND_TAB, 1), 0);
  EXPECT_EQ(h->on_before_resource_load(h.get(), browser.Pass(), frame.Pass(), request.Pass(), callback.Pass()),
            RV_CONTINUE);
  EXPECT_EQ(h->get_resource_handler(h.get(), browser.Pass(), frame.Pass(), request.Pass()), nullptr);
  cef_string_t newUrl = {};
  h->on_resource_redirect(h.get(), browser.Pass(), frame.Pass(), request.Pass(), &newUrl);
  EXPECT_EQ(newUrl.str, nullptr);
  EXPECT_EQ(h->on_resource_response(h.get(), browser.Pass(), frame.Pass(), request.Pass(), nullptr), 0);
  EXPECT_EQ(h->get_auth_credentials(h.get(), browser.Pass(), frame.Pass(), 0, nullptr, 80, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(h->on_quota_request(h.get(), browser.Pass(), nullptr, 1 << 20, callback.Pass()), 0);
  int allow = 1;
  h->on_protocol_execution(h.get(), browser.Pass(), nullptr, &allow);
  EXPECT_EQ(allow, 1);
  EXPECT_EQ(h->on_certificate_error(h.get(), browser.Pass(), ERR_CERT_DATE_INVALID, nullptr, nullptr, nullptr), 0);
  h->on_plugin_crashed(h.get(), browser.Pass(), nullptr);
  h->on_render_view_ready(h.get(), browser.Pass());
  h->on_render_process_terminated(h.get(), browser.Pass(), TS_PROCESS_CRASHED);
}

TEST_F(OwnDefaults, DisplayHandlerShowsNothing) {
  auto h = Hold<cef_display_handler_t>(MakeRef<TCefDisplayHandlerOwn>());
  TFake<cef_browser_t> browser;
  h->on_address_change(h.get(), browser.Pass(), nullptr, nullptr);
  h->on_title_change(h.get(), browser.Pass(), nullptr);
  cef_string_list_t icons = cef_string_list_alloc();
  h->on_favicon_urlchange(h.get(), browser.Pass(), icons);
  cef_string_list_free(icons);
  h->on_fullscreen_mode_change(h.get(), browser.Pass(), 1);
  EXPECT_EQ(h->on_tooltip(h.get(), browser.Pass(), nullptr), 0);
  h->on_status_message(h.get(), browser.Pass(), nullptr);
  EXPECT_EQ(h->on_console_message(h.get(), browser.Pass(), nullptr, nullptr, 3), 0);
}

TEST_F(OwnDefaults, FocusKeyboardDialogAndDragHandlersDecideNothing) {
  TFake<cef_browser_t> browser;
  auto focus = Hold<cef_focus_handler_t>(MakeRef<TCefFocusHandlerOwn>());
  focus->on_take_focus(focus.get(), browser.Pass(), 1);
  EXPECT_EQ(focus->on_set_focus(focus.get(), browser.Pass(), FOCUS_SOURCE_SYSTEM), 0);
  focus->on_got_focus(focus.get(), browser.Pass());

  auto keyboard = Hold<cef_keyboard_handler_t>(MakeRef<TCefKeyboardHandlerOwn>());
  cef_key_event_t event{};
  int shortcut = 1;
  EXPECT_EQ(keyboard->on_pre_key_event(keyboard.get(), browser.Pass(), &event, nullptr, &shortcut), 0);
  EXPECT_EQ(shortcut, 1);
  EXPECT_EQ(keyboard->on_key_event(keyboard.get(), browser.Pass(), &event, nullptr), 0);

  auto jsdialog = Hold<cef_jsdialog_handler_t>(MakeRef<TCefJsDialogHandlerOwn>());
  int suppress = 0;
  EXPECT_EQ(jsdialog->on_jsdialog(jsdialog.get(), browser.Pass(), nullptr, nullptr, JSDIALOGTYPE_ALERT, nullptr,
                                  nullptr, nullptr, &suppress),
            0);
  EXPECT_EQ(suppress, 0);
  EXPECT_EQ(jsdialog->on_before_unload_dialog(jsdialog.get(), browser.Pass(), nullptr, 0, nullptr), 0);
  jsdialog->on_reset_dialog_state(jsdialog.get(), browser.Pass());
  jsdialog->on_dialog_closed(jsdialog.get(), browser.Pass());

  auto menu = Hold<cef_context_menu_handler_t>(MakeRef<TCefContextMenuHandlerOwn>());
  menu->on_before_context_menu(menu.get(), browser.Pass(), nullptr, nullptr, nullptr);
  EXPECT_EQ(menu->run_context_menu(menu.get(), browser.Pass(), nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(menu->on_context_menu_command(menu.get(), browser.Pass(), nullptr, nullptr, 1, EVENTFLAG_NONE), 0);
  menu->on_context_menu_dismissed(menu.get(), browser.Pass(), nullptr);

  auto dialog = Hold<cef_dialog_handler_t>(MakeRef<TCefDialogHandlerOwn>());
  cef_string_list_t filters = cef_string_list_alloc();
  EXPECT_EQ(dialog->on_file_dialog(dialog.get(), browser.Pass(), FILE_DIALOG_SAVE, nullptr, nullptr, filters, 0,
                                   nullptr),
            0);
  cef_string_list_free(filters);

  auto download = Hold<cef_download_handler_t>(MakeRef<TCefDownloadHandlerOwn>());
  download->on_before_download(download.get(), browser.Pass(), nullptr, nullptr, nullptr);
  download->on_download_updated(download.get(), browser.Pass(), nullptr, nullptr);

  auto geolocation = Hold<cef_geolocation_handler_t>(MakeRef<TCefGeolocationHandlerOwn>());
  EXPECT_EQ(geolocation->on_request_geolocation_permission(geolocation.get(), browser.Pass(), nullptr, 1, nullptr), 0);
  geolocation->on_cancel_geolocation_permission(geolocation.get(), browser.Pass(), nullptr, 1);

  auto drag = Hold<cef_drag_handler_t>(MakeRef<TCefDragHandlerOwn>());
  EXPECT_EQ(drag->on_drag_enter(drag.get(), browser.Pass(), nullptr, DRAG_OPERATION_COPY), 0);
  drag->on_draggable_regions_changed(drag.get(), browser.Pass(), 0, nullptr);
}

TEST_F(OwnDefaults, RenderHandlerDrawsNothing) {
  auto h = Hold<cef_render_handler_t>(MakeRef<TCefRenderHandlerOwn>());
  TFake<cef_browser_t> browser;
  cef_rect_t rect{1, 2, 3, 4};
  EXPECT_EQ(h->get_root_screen_rect(h.get(), browser.Pass(), &rect), 0);
  EXPECT_EQ(h->get_view_rect(h.get(), browser.Pass(), &rect), 0);
  int x = 5, y = 6;
  EXPECT_EQ(h->get_screen_point(h.get(), browser.Pass(), 1, 2, &x, &y), 0);
  EXPECT_EQ(x, 5);
  h->on_popup_show(h.get(), browser.Pass(), 1);
  h->on_popup_size(h.get(), browser.Pass(), &rect);
  h->on_paint(h.get(), browser.Pass(), PET_VIEW, 1, &rect, nullptr, 3, 4);
  h->on_cursor_change(h.get(), browser.Pass(), nullptr, CT_POINTER, nullptr);
  EXPECT_EQ(h->start_dragging(h.get(), browser.Pass(), nullptr, DRAG_OPERATION_MOVE, 0, 0), 0);
  h->update_drag_cursor(h.get(), browser.Pass(), DRAG_OPERATION_NONE);
  h->on_scroll_offset_changed(h.get(), browser.Pass(), 1.5, 2.5);
  EXPECT_EQ(rect.x, 1);
}

TEST_F(OwnDefaults, VisitorsAndCallbacksKeepTheirDefaults) {
  auto completion = Hold<cef_completion_callback_t>(MakeRef<TCefCompletionCallbackOwn>());
  completion->on_complete(completion.get());

  auto strings = Hold<cef_string_visitor_t>(MakeRef<TCefStringVisitorOwn>());
  strings->visit(strings.get(), nullptr);

  auto dom = Hold<cef_domvisitor_t>(MakeRef<TCefDomVisitorOwn>());
  TFake<cef_domdocument_t> document;
  dom->visit(dom.get(), document.Pass());

  auto accessor = Hold<cef_v8accessor_t>(MakeRef<TCefV8AccessorOwn>());
  cef_v8value_t* retval = nullptr;
  EXPECT_EQ(accessor->get(accessor.get(), nullptr, nullptr, &retval, nullptr), 0);
  EXPECT_EQ(retval, nullptr);
  EXPECT_EQ(accessor->set(accessor.get(), nullptr, nullptr, nullptr, nullptr), 0);

  auto dismissed = Hold<cef_run_file_dialog_callback_t>(MakeRef<TCefRunFileDialogCallbackOwn>());
  cef_string_list_t files = cef_string_list_alloc();
  dismissed->on_file_dialog_dismissed(dismissed.get(), 0, files);
  cef_string_list_free(files);

  auto entries = Hold<cef_navigation_entry_visitor_t>(MakeRef<TCefNavigationEntryVisitorOwn>());
  TFake<cef_navigation_entry_t> entry;
  EXPECT_EQ(entries->visit(entries.get(), entry.Pass(), 1, 0, 1), 0);
}

}  // namespace
}  // namespace ceflib::test
