// The browser, its host and its frames as the program uses them: each operation reaches its
// member with self and converted arguments, and every reference and string is given back.

#include <gtest/gtest.h>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_loader.h"
#include "ceflib/cef_navigation_entry.h"
#include "ceflib/cef_process_message.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_request_context.h"
#include "ceflib/cef_v8.h"
#include "surface_test.h"

namespace ceflib::test {
namespace {

using B = cef_browser_t;
using H = cef_browser_host_t;
using F = cef_frame_t;

class BrowserRef : public CefSurface {};

TEST_F(BrowserRef, GetHostWrapsTheRuntimesHostAndGivesItsReferenceBack) {
  TFake<B> browser;
  TFake<H> host;
  browser.Returns<&B::get_host>(&host.Struct);
  host.Returns<&H::get_window_handle>(reinterpret_cast<HWND>(0x1234));
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  RefPtr<ICefBrowserHost> got = wrapped->GetHost();
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(browser.ArgsOf(&B::get_host), TArgs{});
  EXPECT_EQ(got->GetWindowHandle(), reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(host.ArgsOf(&H::get_window_handle), TArgs{});
  got.reset();
  EXPECT_EQ(host.Releases, 1);
}

TEST_F(BrowserRef, GetHostOfNullIsNil) {
  TFake<B> browser;
  browser.Stub<&B::get_host>();
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  EXPECT_EQ(wrapped->GetHost(), nullptr);
}

TEST_F(BrowserRef, StopLoadAndGetIdentifierReachTheirMembers) {
  TFake<B> browser;
  browser.Stub<&B::stop_load, &B::reload>();
  browser.Returns<&B::get_identifier>(-7);
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  wrapped->StopLoad();
  EXPECT_EQ(wrapped->GetIdentifier(), -7);
  EXPECT_EQ(browser.ArgsOf(&B::stop_load), TArgs{});
  EXPECT_EQ(browser.ArgsOf(&B::get_identifier), TArgs{});
  EXPECT_EQ(browser.CountOf(&B::reload), 0);
}

TEST_F(BrowserRef, GetMainFrameOfNullIsNilAndReleasesNothing) {
  TFake<B> browser;
  browser.Stub<&B::get_main_frame>();
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  EXPECT_EQ(wrapped->GetMainFrame(), nullptr);
  EXPECT_EQ(browser.ArgsOf(&B::get_main_frame), TArgs{});
  EXPECT_EQ(browser.Releases, 0);
}

TEST_F(BrowserRef, GetMainFrameAdoptsTheFramesReference) {
  TFake<B> browser;
  TFake<F> frame;
  browser.Returns<&B::get_main_frame>(&frame.Struct);
  frame.Returns<&F::is_main>(1);
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  RefPtr<ICefFrame> main = wrapped->GetMainFrame();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->IsMain());
  EXPECT_EQ(frame.AddRefs, 1);
  EXPECT_EQ(frame.Releases, 0);
}

TEST_F(BrowserRef, FrameNamesAreAppendedToTheCallersListAndTheRuntimeListIsFreed) {
  TFake<B> browser;
  browser.Does<&B::get_frame_names>([](cef_string_list_t names) { AppendTo(names, {L"main"}); });
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  ustringlist names{L"kept"};
  wrapped->GetFrameNames(names);
  EXPECT_EQ(names, (ustringlist{L"kept", L"main"}));
  EXPECT_EQ(Strings->ListAllocs, 1);
}

TEST_F(BrowserRef, FrameIdentifiersPassTheCallersCountAndArrayThrough) {
  TFake<B> browser;
  browser.Does<&B::get_frame_identifiers>([](size_t* count, int64* identifiers) {
    identifiers[0] = 42;
    *count = 1;
  });
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  size_t count = 3;
  int64_t identifiers[3] = {};
  wrapped->GetFrameIdentifiers(&count, identifiers);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(identifiers[0], 42);
  EXPECT_EQ(browser.ArgsOf(&B::get_frame_identifiers), (TArgs{Render(&count), Render(identifiers)}));
}

TEST_F(BrowserRef, ObjectArgumentsCarryOneReferenceForTheRuntime) {
  TFake<B> browser, other;
  TFake<cef_process_message_t> message;
  browser.Returns<&B::is_same>(1);
  browser.Returns<&B::send_process_message>(1);
  RefPtr<ICefBrowser> wrapped = ICefBrowser::UnWrap(browser.Pass());
  RefPtr<ICefBrowser> otherWrapped = ICefBrowser::UnWrap(other.Pass());
  RefPtr<ICefProcessMessage> messageWrapped = ICefProcessMessage::UnWrap(message.Pass());
  EXPECT_TRUE(wrapped->IsSame(otherWrapped));
  EXPECT_TRUE(wrapped->SendProcessMessage(PID_RENDERER, messageWrapped));
  EXPECT_EQ(browser.ArgsOf(&B::is_same), TArgs{Render(&other.Struct)});
  EXPECT_EQ(browser.ArgsOf(&B::send_process_message), (TArgs{L"1", Render(&message.Struct)}));
  EXPECT_EQ(other.AddRefs, 2);  // the wrapper's, and one for the runtime (given back by the stub)
}

// ---- Host ----

class TTestClient : public TCefClientOwn {};

TEST_F(BrowserRef, ShowDevToolsPassesTheRecordsAndHandsTheClientOver) {
  TFake<H> host;
  host.Stub<&H::show_dev_tools, &H::close_dev_tools>();
  host.KeepArgs = true;
  RefPtr<ICefBrowserHost> wrapped = ICefBrowserHost::UnWrap(host.Pass());
  RefPtr<TTestClient> client = MakeRef<TTestClient>();
  cef_window_info_t windowInfo{};
  cef_browser_settings_t settings{};
  cef_point_t point{3, 4};
  wrapped->ShowDevTools(&windowInfo, client, &settings, &point);
  void* clientStruct = CefStructOf(client);
  EXPECT_EQ(host.ArgsOf(&H::show_dev_tools),
            (TArgs{Render(&windowInfo), Render(clientStruct), Render(&settings), Render(&point)}));
  EXPECT_EQ(client->RefCount(), 3);  // ours, the runtime's, the one CefStructOf just added
  static_cast<cef_base_t*>(clientStruct)->release(static_cast<cef_base_t*>(clientStruct));
  host.ReleaseKept();
  EXPECT_EQ(client->RefCount(), 1);

  wrapped->CloseDevTools();
  EXPECT_EQ(host.ArgsOf(&H::close_dev_tools), TArgs{});
}

TEST_F(BrowserRef, ShowDevToolsWithoutClientPassesNull) {
  TFake<H> host;
  host.Stub<&H::show_dev_tools>();
  RefPtr<ICefBrowserHost> wrapped = ICefBrowserHost::UnWrap(host.Pass());
  wrapped->ShowDevTools(nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(host.ArgsOf(&H::show_dev_tools), (TArgs{L"null", L"null", L"null", L"null"}));
}

TEST_F(BrowserRef, HostTruthValuesAndTextsAreConverted) {
  TFake<H> host;
  host.Stub<&H::close_browser, &H::find, &H::was_hidden, &H::send_mouse_click_event>();
  RefPtr<ICefBrowserHost> wrapped = ICefBrowserHost::UnWrap(host.Pass());
  wrapped->CloseBrowser(true);
  wrapped->Find(9, L"needle", true, false, true);
  wrapped->WasHidden(false);
  cef_mouse_event_t event{};
  wrapped->SendMouseClickEvent(&event, MBT_RIGHT, true, 2);
  EXPECT_EQ(host.ArgsOf(&H::close_browser), TArgs{L"1"});
  EXPECT_EQ(host.ArgsOf(&H::find), (TArgs{L"9", L"\"needle\"", L"1", L"0", L"1"}));
  EXPECT_EQ(host.ArgsOf(&H::was_hidden), TArgs{L"0"});
  EXPECT_EQ(host.ArgsOf(&H::send_mouse_click_event), (TArgs{Render(&event), L"2", L"1", L"2"}));
}

TEST_F(BrowserRef, RunFileDialogGivesTheRuntimeAListOfTheFiltersAndFreesIt) {
  TFake<H> host;
  std::vector<std::wstring> seen;
  host.Does<&H::run_file_dialog>([&](cef_file_dialog_mode_t, const cef_string_t*, const cef_string_t*,
                                     cef_string_list_t filters, int, cef_run_file_dialog_callback_t*) {
    seen = TextsOf(filters);
  });
  RefPtr<ICefBrowserHost> wrapped = ICefBrowserHost::UnWrap(host.Pass());
  wrapped->RunFileDialog(FILE_DIALOG_OPEN, L"Title", L"", {L".txt", L".html"}, 1, nullptr);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L".txt", L".html"}));
  TArgs args = host.ArgsOf(&H::run_file_dialog);
  ASSERT_EQ(args.size(), 6u);
  EXPECT_EQ(args[1], L"\"Title\"");
  EXPECT_EQ(args[2], L"\"\"");
  EXPECT_EQ(args[4], L"1");
  EXPECT_EQ(args[5], L"null");
  EXPECT_EQ(Strings->ListAllocs, 1);
}

TEST_F(BrowserRef, RunFileDialogProcWrapsTheClosureInACallbackTheRuntimeCanCall) {
  TFake<H> host;
  host.Stub<&H::run_file_dialog>();
  host.KeepArgs = true;
  RefPtr<ICefBrowserHost> wrapped = ICefBrowserHost::UnWrap(host.Pass());
  int selected = -1;
  ustringlist paths;
  wrapped->RunFileDialogProc(FILE_DIALOG_OPEN, L"", L"", {}, 0, [&](int index, const ustringlist& files) {
    selected = index;
    paths = files;
  });
  ASSERT_EQ(host.Kept.size(), 1u);
  auto* callback = reinterpret_cast<cef_run_file_dialog_callback_t*>(host.Kept[0]);
  cef_string_list_t files = cef_string_list_alloc();
  AppendTo(files, {L"a.txt", L"b.txt"});
  callback->on_file_dialog_dismissed(callback, 2, files);
  cef_string_list_free(files);
  EXPECT_EQ(selected, 2);
  EXPECT_EQ(paths, (ustringlist{L"a.txt", L"b.txt"}));
  host.ReleaseKept();  // the runtime's last release destroys the callback
}

TEST_F(BrowserRef, NavigationEntriesProcVisitsThroughAFastVisitor) {
  TFake<H> host;
  TFake<cef_navigation_entry_t> entry;
  entry.Returns<&cef_navigation_entry_t::get_url>(L"http://a/");
  std::vector<std::wstring> urls;
  host.Does<&H::get_navigation_entries>([&](cef_navigation_entry_visitor_t* visitor, int) {
    EXPECT_EQ(visitor->visit(visitor, entry.Pass(), 1, 0, 2), 1);
    EXPECT_EQ(visitor->visit(visitor, entry.Pass(), 0, 1, 2), 0);
  });
  RefPtr<ICefBrowserHost> wrapped = ICefBrowserHost::UnWrap(host.Pass());
  wrapped->GetNavigationEntriesProc(
      [&](const RefPtr<ICefNavigationEntry>& e, bool current, int index, int total) {
        urls.push_back(e->GetUrl() + (current ? L"*" : L"") + std::to_wstring(index) + L"/" + std::to_wstring(total));
        return current;
      },
      true);
  EXPECT_EQ(urls, (std::vector<std::wstring>{L"http://a/*0/2", L"http://a/1/2"}));
  EXPECT_EQ(host.ArgsOf(&H::get_navigation_entries).at(1), L"1");
}

TEST_F(BrowserRef, CreateBrowserSyncLoadsNothingWhenTheRuntimeIsLoadedAndUnwrapsTheBrowser) {
  // With the library handle set, loading is already done and the call goes straight on.
  HMODULE previous = LibraryHandle;
  LibraryHandle = GetModuleHandleW(nullptr);
  TFake<B> browser;
  static cef_browser_t* created = nullptr;
  static TArgs seen;
  created = &browser.Struct;
  auto saved = cef_browser_host_create_browser_sync;
  cef_browser_host_create_browser_sync = [](const cef_window_info_t*, cef_client_t* client, const cef_string_t* url,
                                            const cef_browser_settings_t*, cef_request_context_t* context) {
    seen = {Render(url), Render(context)};
    if (client) client->base.release(&client->base);
    created->base.add_ref(&created->base);
    return created;
  };
  {
    RefPtr<TTestClient> client = MakeRef<TTestClient>();
    cef_window_info_t info{};
    cef_browser_settings_t settings{};
    RefPtr<ICefBrowser> made = CreateBrowserSync(&info, client, L"", &settings, nullptr);
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(client->RefCount(), 1);
  }
  cef_browser_host_create_browser_sync = saved;
  LibraryHandle = previous;
  EXPECT_EQ(seen, (TArgs{L"\"\"", L"null"}));
}

// ---- Frame ----

class FrameRef : public CefSurface {};

TEST_F(FrameRef, LoadUrlPassesAViewOfTheAddress) {
  TFake<F> frame;
  frame.Stub<&F::load_url>();
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  wrapped->LoadUrl(L"http://example/");
  EXPECT_EQ(frame.ArgsOf(&F::load_url), TArgs{L"\"http://example/\""});
}

TEST_F(FrameRef, LoadUrlOfTheEmptyTextPassesLengthZeroWithCharacters) {
  TFake<F> frame;
  frame.Stub<&F::load_url>();
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  wrapped->LoadUrl(L"");
  EXPECT_EQ(frame.ArgsOf(&F::load_url), TArgs{L"\"\""});  // "nochars/0" would mean a null pointer
  EXPECT_EQ(Strings->StringSets, 0);                       // no copy was made
}

TEST_F(FrameRef, GetUrlReadsAndFreesTheRuntimesString) {
  TFake<F> frame;
  frame.Returns<&F::get_url>(L"http://a/b");
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  EXPECT_EQ(wrapped->GetUrl(), L"http://a/b");
  EXPECT_EQ(Strings->UserFreeFrees, 1);
}

TEST_F(FrameRef, GetUrlOfNoStringIsEmptyAndOfAnEmptyStringFreesIt) {
  TFake<F> frame;
  frame.Stub<&F::get_url>();
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  EXPECT_EQ(wrapped->GetUrl(), L"");
  EXPECT_EQ(Strings->UserFreeFrees, 0);
  frame.Returns<&F::get_url>(L"");
  EXPECT_EQ(wrapped->GetUrl(), L"");
  EXPECT_EQ(Strings->UserFreeFrees, 1);
}

TEST_F(FrameRef, TextOperationsPassEveryArgumentInOrder) {
  TFake<F> frame;
  frame.Stub<&F::load_string, &F::execute_java_script>();
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  wrapped->LoadString(L"<p>", L"about:x");
  wrapped->ExecuteJavaScript(L"go()", L"", 12);
  EXPECT_EQ(frame.ArgsOf(&F::load_string), (TArgs{L"\"<p>\"", L"\"about:x\""}));
  EXPECT_EQ(frame.ArgsOf(&F::execute_java_script), (TArgs{L"\"go()\"", L"\"\"", L"12"}));
}

TEST_F(FrameRef, GetSourceProcAndGetTextProcHandTheTextToTheClosure) {
  TFake<F> frame;
  auto visit = [](cef_string_visitor_t* visitor) {
    cef_string_t text{const_cast<wchar_t*>(L"<html>"), 6, nullptr};
    visitor->visit(visitor, &text);
  };
  frame.Does<&F::get_source>(visit);
  frame.Does<&F::get_text>(visit);
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  ustring source, text;
  wrapped->GetSourceProc([&](const ustring& s) { source = s; });
  wrapped->GetTextProc([&](const ustring& s) { text = s + L"!"; });
  EXPECT_EQ(source, L"<html>");
  EXPECT_EQ(text, L"<html>!");
  EXPECT_EQ(frame.CountOf(&F::get_source), 1);
  EXPECT_EQ(frame.CountOf(&F::get_text), 1);
}

TEST_F(FrameRef, VisitDomProcHandsTheDocumentToTheClosure) {
  TFake<F> frame;
  TFake<cef_domdocument_t> document;
  document.Returns<&cef_domdocument_t::get_title>(L"Title");
  frame.Does<&F::visit_dom>([&](cef_domvisitor_t* visitor) { visitor->visit(visitor, document.Pass()); });
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  ustring title;
  wrapped->VisitDomProc([&](const RefPtr<ICefDomDocument>& d) { title = d->GetTitle(); });
  EXPECT_EQ(title, L"Title");
}

TEST_F(FrameRef, ReturnedObjectsAreWrappedWithTheirReference) {
  TFake<F> frame, parent;
  TFake<B> browser;
  TFake<cef_v8context_t> context;
  frame.Returns<&F::get_parent>(&parent.Struct);
  frame.Returns<&F::get_browser>(&browser.Struct);
  frame.Returns<&F::get_v8context>(&context.Struct);
  frame.Returns<&F::get_identifier>(int64_t{1} << 40);
  RefPtr<ICefFrame> wrapped = ICefFrame::UnWrap(frame.Pass());
  EXPECT_EQ(CefStructOf(wrapped->GetParent()), &parent.Struct);
  EXPECT_EQ(CefStructOf(wrapped->GetBrowser()), &browser.Struct);
  EXPECT_EQ(CefStructOf(wrapped->GetV8context()), &context.Struct);
  EXPECT_EQ(wrapped->GetIdentifier(), int64_t{1} << 40);
  // CefStructOf added one reference each for a receiver that is us: give them back.
  parent.Struct.base.release(&parent.Struct.base);
  browser.Struct.base.release(&browser.Struct.base);
  context.Struct.base.release(&context.Struct.base);
}

}  // namespace
}  // namespace ceflib::test
