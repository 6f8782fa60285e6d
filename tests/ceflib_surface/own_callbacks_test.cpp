// The conversions of the callbacks of objects we hand to the runtime: in/out truth values and
// strings written back as their patterns say, text lists built for the handler, the popup's
// client read through its owner, handlers handed out with one reference, Fast objects and
// their closures, and exceptions stopped at the callback.

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <stdexcept>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_callback.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_cookie.h"
#include "ceflib/cef_dialog_handler.h"
#include "ceflib/cef_display_handler.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_jsdialog_handler.h"
#include "ceflib/cef_life_span_handler.h"
#include "ceflib/cef_load_handler.h"
#include "ceflib/cef_request_handler.h"
#include "ceflib/cef_string_visitor.h"
#include "ceflib/cef_v8.h"
#include "surface_test.h"

namespace ceflib::test {
namespace {

template <class S, class T>
S* RuntimeStructOf(const RefPtr<T>& object) {
  return static_cast<S*>(CefStructOf(object));
}

template <class S>
void RuntimeRelease(S* data) {
  data->base.release(&data->base);
}

cef_string_t Lent(const wchar_t* text) { return cef_string_t{const_cast<wchar_t*>(text), wcslen(text), nullptr}; }

class OwnCallbacks : public CefSurface {};

// ---- In/out truth values ----

class TPopupHandler : public TCefLifeSpanHandlerOwn {
 public:
  bool OnBeforePopup(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>& frame, const ustring& targetUrl,
                     const ustring& targetFrameName, cef_window_open_disposition_t disposition, bool userGesture,
                     const cef_popup_features_t*, cef_window_info_t* windowInfo, RefPtr<ICefClient>& client,
                     cef_browser_settings_t*, bool& noJavascriptAccess) override {
    Seen = targetUrl + L"|" + targetFrameName + L"|" + std::to_wstring(disposition) + (userGesture ? L"|g" : L"|-") +
           (frame ? L"|f" : L"|-") + (noJavascriptAccess ? L"|js-off" : L"|js-on");
    SeenClient = client;
    if (windowInfo) windowInfo->x = 77;
    client = NewClient;
    noJavascriptAccess = !noJavascriptAccess;
    return true;
  }
  std::wstring Seen;
  RefPtr<ICefClient> SeenClient;
  RefPtr<ICefClient> NewClient;
};

TEST_F(OwnCallbacks, OnBeforePopupReadsTheClientThroughItsOwnerAndWritesBackTheHandlersChoice) {
  RefPtr<TPopupHandler> handler = MakeRef<TPopupHandler>();
  RefPtr<TCefClientOwn> opener = MakeRef<TCefClientOwn>(), popup = MakeRef<TCefClientOwn>();
  handler->NewClient = popup;
  auto* data = RuntimeStructOf<cef_life_span_handler_t>(handler);
  TFake<cef_browser_t> browser;
  cef_string_t url = Lent(L"http://popup/"), name = Lent(L"");
  cef_window_info_t windowInfo{};
  cef_client_t* client = RuntimeStructOf<cef_client_t>(opener);  // the runtime's reference to the opener's client
  int noJavascriptAccess = 0;
  EXPECT_EQ(data->on_before_popup(data, browser.Pass(), nullptr, &url, &name, WOD_NEW_POPUP, 1, nullptr,
                                  &windowInfo, &client, nullptr, &noJavascriptAccess),
            1);
  EXPECT_EQ(handler->Seen, L"http://popup/||" + std::to_wstring(WOD_NEW_POPUP) + L"|g|-|js-on");
  EXPECT_EQ(handler->SeenClient.get(), static_cast<ICefClient*>(opener.get()));
  EXPECT_EQ(client, CefStructOf(popup));  // adds one more, given back below
  RuntimeRelease(client);
  EXPECT_EQ(noJavascriptAccess, 1);
  EXPECT_EQ(windowInfo.x, 77);
  handler->SeenClient.reset();
  EXPECT_EQ(opener->RefCount(), 1);  // the runtime's reference to the old client was given back
  EXPECT_EQ(popup->RefCount(), 3);   // ours, the handler's, and the runtime's new one
  RuntimeRelease(client);
  RuntimeRelease(data);
}

TEST_F(OwnCallbacks, OnBeforePopupWithoutClientGivesTheHandlerNil) {
  RefPtr<TPopupHandler> handler = MakeRef<TPopupHandler>();
  auto* data = RuntimeStructOf<cef_life_span_handler_t>(handler);
  cef_client_t* client = nullptr;
  int noJavascriptAccess = 1;
  data->on_before_popup(data, nullptr, nullptr, nullptr, nullptr, WOD_NEW_WINDOW, 0, nullptr, nullptr, &client,
                        nullptr, &noJavascriptAccess);
  EXPECT_EQ(handler->SeenClient, nullptr);
  EXPECT_EQ(client, nullptr);
  EXPECT_EQ(noJavascriptAccess, 0);
  EXPECT_NE(handler->Seen.find(L"|js-off"), std::wstring::npos);
  RuntimeRelease(data);
}

class TThrowingPopupHandler : public TCefLifeSpanHandlerOwn {
 public:
  bool OnBeforePopup(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, const ustring&, const ustring&,
                     cef_window_open_disposition_t, bool, const cef_popup_features_t*, cef_window_info_t*,
                     RefPtr<ICefClient>& client, cef_browser_settings_t*, bool& noJavascriptAccess) override {
    client = nullptr;
    noJavascriptAccess = true;
    throw std::runtime_error("handler failed");
  }
};

TEST_F(OwnCallbacks, ExceptionInAHandlerReturnsZeroLeavesOutValuesAndLeaksNothing) {
  RefPtr<TThrowingPopupHandler> handler = MakeRef<TThrowingPopupHandler>();
  RefPtr<TCefClientOwn> opener = MakeRef<TCefClientOwn>();
  auto* data = RuntimeStructOf<cef_life_span_handler_t>(handler);
  TFake<cef_browser_t> browser;
  TFake<cef_frame_t> frame;
  cef_string_t url = Lent(L"http://x/");
  cef_client_t* client = RuntimeStructOf<cef_client_t>(opener);
  cef_client_t* const original = client;
  int noJavascriptAccess = 0;
  EXPECT_EQ(data->on_before_popup(data, browser.Pass(), frame.Pass(), &url, &url, WOD_NEW_POPUP, 1, nullptr, nullptr,
                                  &client, nullptr, &noJavascriptAccess),
            0);
  EXPECT_EQ(client, original);
  EXPECT_EQ(noJavascriptAccess, 0);
  EXPECT_EQ(opener->RefCount(), 2);  // ours and the runtime's, as before the call
  RuntimeRelease(client);
  RuntimeRelease(data);
}

class TFlagHandlers : public TCefRequestHandlerOwn {
 public:
  void OnProtocolExecution(const RefPtr<ICefBrowser>&, const ustring& url, bool& allowOsExecution) override {
    SeenUrl = url;
    SeenAllow = allowOsExecution;
    allowOsExecution = true;
  }
  void OnResourceRedirect(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, const RefPtr<ICefRequest>&,
                          ustring& newUrl) override {
    SeenUrl = newUrl;
    newUrl = Redirect;
  }
  cef_return_value_t OnBeforeResourceLoad(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                          const RefPtr<ICefRequest>&, const RefPtr<ICefRequestCallback>& callback) override {
    KeptCallback = callback;
    return RV_CONTINUE_ASYNC;
  }
  std::wstring SeenUrl, Redirect;
  bool SeenAllow = true;
  RefPtr<ICefRequestCallback> KeptCallback;
};

TEST_F(OwnCallbacks, AllowOsExecutionIsReadBeforeAndWrittenBackAfterTheHandler) {
  RefPtr<TFlagHandlers> handler = MakeRef<TFlagHandlers>();
  auto* data = RuntimeStructOf<cef_request_handler_t>(handler);
  cef_string_t url = Lent(L"mailto:a@b");
  int allow = 0;
  data->on_protocol_execution(data, nullptr, &url, &allow);
  EXPECT_FALSE(handler->SeenAllow);
  EXPECT_EQ(handler->SeenUrl, L"mailto:a@b");
  EXPECT_EQ(allow, 1);
  RuntimeRelease(data);
}

TEST_F(OwnCallbacks, NewUrlIsReplacedOnlyWhenTheHandlerLeavesText) {
  RefPtr<TFlagHandlers> handler = MakeRef<TFlagHandlers>();
  auto* data = RuntimeStructOf<cef_request_handler_t>(handler);
  cef_string_t newUrl{};
  cef_string_utf16_set(L"http://next/", 12, &newUrl, 1);
  data->on_resource_redirect(data, nullptr, nullptr, nullptr, &newUrl);
  EXPECT_EQ(handler->SeenUrl, L"http://next/");
  EXPECT_EQ(std::wstring(newUrl.str, newUrl.length), L"http://next/");  // emptied: left as it was

  handler->Redirect = L"http://elsewhere/";
  data->on_resource_redirect(data, nullptr, nullptr, nullptr, &newUrl);
  EXPECT_EQ(std::wstring(newUrl.str, newUrl.length), L"http://elsewhere/");
  cef_string_utf16_clear(&newUrl);
  RuntimeRelease(data);
}

TEST_F(OwnCallbacks, OnBeforeResourceLoadReturnsTheHandlersValueAndAKeptCallbackStaysAlive) {
  RefPtr<TFlagHandlers> handler = MakeRef<TFlagHandlers>();
  auto* data = RuntimeStructOf<cef_request_handler_t>(handler);
  TFake<cef_request_callback_t> callback;
  callback.Stub<&cef_request_callback_t::cont>();
  EXPECT_EQ(data->on_before_resource_load(data, nullptr, nullptr, nullptr, callback.Pass()), RV_CONTINUE_ASYNC);
  EXPECT_EQ(callback.Releases, 0);
  handler->KeptCallback->Cont(true);
  EXPECT_EQ(callback.ArgsOf(&cef_request_callback_t::cont), TArgs{L"1"});
  handler->KeptCallback.reset();
  EXPECT_EQ(callback.Releases, 1);
  RuntimeRelease(data);
}

class TKeyAndDialogHandlers : public TCefJsDialogHandlerOwn {
 public:
  bool OnJsdialog(const RefPtr<ICefBrowser>&, const ustring& originUrl, const ustring&, cef_jsdialog_type_t,
                  const ustring& messageText, const ustring&, const RefPtr<ICefJsDialogCallback>&,
                  bool& suppressMessage) override {
    Seen = originUrl + L":" + messageText + (suppressMessage ? L":on" : L":off");
    suppressMessage = true;
    return false;
  }
  std::wstring Seen;
};

TEST_F(OwnCallbacks, SuppressMessageIsAnInOutTruthValue) {
  RefPtr<TKeyAndDialogHandlers> handler = MakeRef<TKeyAndDialogHandlers>();
  auto* data = RuntimeStructOf<cef_jsdialog_handler_t>(handler);
  cef_string_t origin = Lent(L"http://o/"), message = Lent(L"hello");
  int suppress = 0;
  EXPECT_EQ(data->on_jsdialog(data, nullptr, &origin, nullptr, JSDIALOGTYPE_PROMPT, &message, nullptr, nullptr,
                              &suppress),
            0);
  EXPECT_EQ(handler->Seen, L"http://o/:hello:off");
  EXPECT_EQ(suppress, 1);
  RuntimeRelease(data);
}

// ---- Strings ----

class TTooltipHandler : public TCefDisplayHandlerOwn {
 public:
  bool OnTooltip(const RefPtr<ICefBrowser>&, ustring& text) override {
    Seen = text;
    text = Replacement;
    return true;
  }
  void OnFaviconUrlchange(const RefPtr<ICefBrowser>&, const ustringlist& iconUrls) override { Icons = iconUrls; }
  std::wstring Seen, Replacement;
  ustringlist Icons;
};

TEST_F(OwnCallbacks, TooltipIsAlwaysReplacedEvenByAnEmptyText) {
  RefPtr<TTooltipHandler> handler = MakeRef<TTooltipHandler>();
  auto* data = RuntimeStructOf<cef_display_handler_t>(handler);
  cef_string_t text{};
  cef_string_utf16_set(L"old tip", 7, &text, 1);
  handler->Replacement = L"new tip";
  EXPECT_EQ(data->on_tooltip(data, nullptr, &text), 1);
  EXPECT_EQ(handler->Seen, L"old tip");
  EXPECT_EQ(std::wstring(text.str, text.length), L"new tip");
  ASSERT_NE(text.dtor, nullptr);  // a runtime-owned copy

  handler->Replacement = L"";
  data->on_tooltip(data, nullptr, &text);
  EXPECT_EQ(handler->Seen, L"new tip");
  EXPECT_EQ(text.str, nullptr);
  EXPECT_EQ(text.length, 0u);
  RuntimeRelease(data);
}

TEST_F(OwnCallbacks, FaviconAddressesReachTheHandlerAsAListOfItsOwn) {
  RefPtr<TTooltipHandler> handler = MakeRef<TTooltipHandler>();
  auto* data = RuntimeStructOf<cef_display_handler_t>(handler);
  cef_string_list_t icons = cef_string_list_alloc();
  AppendTo(icons, {L"http://a/favicon.ico", L"http://a/big.png"});
  data->on_favicon_urlchange(data, nullptr, icons);
  EXPECT_EQ(handler->Icons, (ustringlist{L"http://a/favicon.ico", L"http://a/big.png"}));
  EXPECT_EQ(cef_string_list_size(icons), 2);  // the runtime's list is left to the runtime
  cef_string_list_free(icons);
  RuntimeRelease(data);
}

class TFileDialogHandler : public TCefDialogHandlerOwn {
 public:
  bool OnFileDialog(const RefPtr<ICefBrowser>&, cef_file_dialog_mode_t, const ustring& title, const ustring&,
                    const ustringlist& acceptFilters, int selected, const RefPtr<ICefFileDialogCallback>& callback) override {
    Filters = acceptFilters;
    Filters.push_back(title + std::to_wstring(selected));
    callback->Cont(selected, {L"C:\\chosen.txt"});
    return true;
  }
  ustringlist Filters;
};

TEST_F(OwnCallbacks, FileDialogFiltersArriveAsAListAndTheCallbackGetsOneBuiltFromTheCallers) {
  RefPtr<TFileDialogHandler> handler = MakeRef<TFileDialogHandler>();
  auto* data = RuntimeStructOf<cef_dialog_handler_t>(handler);
  TFake<cef_file_dialog_callback_t> callback;
  std::vector<std::wstring> chosen;
  callback.Does<&cef_file_dialog_callback_t::cont>(
      [&](int, cef_string_list_t paths) { chosen = TextsOf(paths); });
  cef_string_list_t filters = cef_string_list_alloc();
  AppendTo(filters, {L".txt"});
  cef_string_t title = Lent(L"Open");
  EXPECT_EQ(data->on_file_dialog(data, nullptr, FILE_DIALOG_OPEN, &title, nullptr, filters, 2, callback.Pass()), 1);
  cef_string_list_free(filters);
  EXPECT_EQ(handler->Filters, (ustringlist{L".txt", L"Open2"}));
  EXPECT_EQ(chosen, (std::vector<std::wstring>{L"C:\\chosen.txt"}));
  EXPECT_EQ(callback.ArgsOf(&cef_file_dialog_callback_t::cont).at(0), L"2");
  RuntimeRelease(data);
}

class TThrowingTooltipHandler : public TCefDisplayHandlerOwn {
 public:
  bool OnTooltip(const RefPtr<ICefBrowser>&, ustring& text) override {
    text = L"never written";
    throw std::runtime_error("handler failed");
  }
};

TEST_F(OwnCallbacks, HandWrittenCallbacksStopExceptionsWithTheNeutralValue) {
  RefPtr<TThrowingTooltipHandler> display = MakeRef<TThrowingTooltipHandler>();
  auto* displayData = RuntimeStructOf<cef_display_handler_t>(display);
  TFake<cef_browser_t> browser;
  cef_string_t text{};
  cef_string_utf16_set(L"tip", 3, &text, 1);
  EXPECT_EQ(displayData->on_tooltip(displayData, browser.Pass(), &text), 0);
  EXPECT_EQ(text.length, 0u);  // read and cleared before the handler, nothing written after it
  cef_string_utf16_clear(&text);
  RuntimeRelease(displayData);

  RefPtr<ICefCookieVisitor> visitor = MakeRef<TCefFastCookieVisitor>(
      [](const ustring&, const ustring&, const ustring&, const ustring&, bool, bool, bool, TDateTime, TDateTime,
         TDateTime, int, int, bool& deleteCookie) -> bool {
        deleteCookie = true;
        throw std::runtime_error("visitor failed");
      });
  auto* visitorData = RuntimeStructOf<cef_cookie_visitor_t>(visitor);
  cef_cookie_t cookie{};
  cookie.creation = cookie.last_access = cef_time_t{2020, 1, 3, 1, 0, 0, 0, 0};
  int deleteCookie = 0;
  EXPECT_EQ(visitorData->visit(visitorData, &cookie, 0, 1, &deleteCookie), 0);
  EXPECT_EQ(deleteCookie, 0);
  RuntimeRelease(visitorData);
}

// ---- Handlers handed out ----

class TClientWithLoadHandler : public TCefClientOwn {
 public:
  RefPtr<ICefLoadHandler> GetLoadHandler() override { return Load; }
  RefPtr<ICefLoadHandler> Load = MakeRef<TCefLoadHandlerOwn>();
};

TEST_F(OwnCallbacks, HandlerGettersHandOutOneReferenceAndNullForNil) {
  RefPtr<TClientWithLoadHandler> client = MakeRef<TClientWithLoadHandler>();
  auto* data = RuntimeStructOf<cef_client_t>(client);
  cef_load_handler_t* load = data->get_load_handler(data);
  EXPECT_EQ(load, CefStructOf(client->Load));
  RuntimeRelease(load);  // the one CefStructOf just added
  auto* own = static_cast<TCefBaseOwn*>(dynamic_cast<TCefLoadHandlerOwn*>(client->Load.get()));
  EXPECT_EQ(own->RefCount(), 2);  // the client's and the runtime's
  RuntimeRelease(load);
  EXPECT_EQ(own->RefCount(), 1);
  EXPECT_EQ(data->get_render_handler(data), nullptr);
  RuntimeRelease(data);
}

// ---- Fast objects ----

TEST_F(OwnCallbacks, FastObjectReleasesItsClosureWhenTheRuntimeDropsItsLastReference) {
  auto alive = std::make_shared<int>(0);
  std::weak_ptr<int> watch = alive;
  cef_string_visitor_t* data = nullptr;
  {
    RefPtr<ICefStringVisitor> visitor =
        MakeRef<TCefFastStringVisitor>([alive](const ustring& text) { *alive += static_cast<int>(text.size()); });
    data = static_cast<cef_string_visitor_t*>(CefStructOf(visitor));
  }
  alive.reset();
  cef_string_t text = Lent(L"four");
  data->visit(data, &text);
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(*watch.lock(), 4);
  EXPECT_EQ(data->base.has_one_ref(&data->base), 1);
  RuntimeRelease(data);
  EXPECT_TRUE(watch.expired());
}

TEST_F(OwnCallbacks, FastCallbacksPassTheirArgumentsToTheClosure) {
  std::wstring seen;
  RefPtr<ICefPdfPrintCallback> pdf =
      MakeRef<TCefFastPdfPrintCallback>([&](const ustring& path, bool ok) { seen = path + (ok ? L"+" : L"-"); });
  auto* data = RuntimeStructOf<cef_pdf_print_callback_t>(pdf);
  cef_string_t path = Lent(L"C:\\out.pdf");
  data->on_pdf_print_finished(data, &path, 1);
  EXPECT_EQ(seen, L"C:\\out.pdf+");
  RuntimeRelease(data);

  int completions = 0;
  RefPtr<ICefCompletionCallback> done = MakeRef<TCefFastCompletionCallback>([&] { ++completions; });
  auto* doneData = RuntimeStructOf<cef_completion_callback_t>(done);
  doneData->on_complete(doneData);
  doneData->on_complete(doneData);
  EXPECT_EQ(completions, 2);
  RuntimeRelease(doneData);
}

TEST_F(OwnCallbacks, FastObjectWithAnEmptyClosureAnswersTheNeutralValue) {
  RefPtr<ICefNavigationEntryVisitor> visitor = MakeRef<TCefFastNavigationEntryVisitor>(nullptr);
  auto* data = RuntimeStructOf<cef_navigation_entry_visitor_t>(visitor);
  EXPECT_EQ(data->visit(data, nullptr, 1, 0, 1), 0);
  RuntimeRelease(data);
}

// ---- The JavaScript accessor ----

TEST_F(OwnCallbacks, FastV8AccessorWithoutGetterOrSetterReturnsFalseAndGivesNoValue) {
  RefPtr<ICefV8Accessor> accessor = MakeRef<TCefFastV8Accessor>(nullptr, nullptr);
  auto* data = RuntimeStructOf<cef_v8accessor_t>(accessor);
  TFake<cef_v8value_t> object;
  cef_string_t name = Lent(L"prop");
  cef_v8value_t* retval = nullptr;
  EXPECT_EQ(data->get(data, &name, object.Pass(), &retval, nullptr), 0);
  EXPECT_EQ(retval, nullptr);
  EXPECT_EQ(data->set(data, &name, object.Pass(), nullptr, nullptr), 0);
  RuntimeRelease(data);
}

TEST_F(OwnCallbacks, FastV8AccessorGetterGivesTheRuntimeItsValueAndReadsTheExceptionOnly) {
  TFake<cef_v8value_t> object, value;
  std::wstring seen;
  RefPtr<ICefV8Accessor> accessor = MakeRef<TCefFastV8Accessor>(
      [&](const ustring& name, const RefPtr<ICefv8Value>& self, RefPtr<ICefv8Value>& retval, const ustring& exception) {
        seen = name + L"/" + exception + (self ? L"/self" : L"/-");
        retval = ICefv8Value::UnWrap(value.Pass());
        return true;
      },
      [&](const ustring& name, const RefPtr<ICefv8Value>&, const RefPtr<ICefv8Value>& newValue, const ustring&) {
        seen = name + (newValue ? L"=value" : L"=nil");
        return true;
      });
  auto* data = RuntimeStructOf<cef_v8accessor_t>(accessor);
  cef_string_t name = Lent(L"prop");
  cef_string_t exception{};
  cef_string_utf16_set(L"old", 3, &exception, 1);
  cef_v8value_t* retval = nullptr;
  EXPECT_EQ(data->get(data, &name, object.Pass(), &retval, &exception), 1);
  EXPECT_EQ(seen, L"prop/old/self");
  EXPECT_EQ(retval, &value.Struct);
  EXPECT_EQ(std::wstring(exception.str, exception.length), L"old");
  RuntimeRelease(retval);  // the runtime's reference to the value
  EXPECT_EQ(data->set(data, &name, object.Pass(), value.Pass(), &exception), 1);
  EXPECT_EQ(seen, L"prop=value");
  cef_string_utf16_clear(&exception);
  RuntimeRelease(data);
}

}  // namespace
}  // namespace ceflib::test
