// Text lists across the runtime boundary, and strings filled through Own callbacks, with the
// stand-in runtime's string functions.

#include <gtest/gtest.h>

#include <stdexcept>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_invoke.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_resource_handler.h"
#include "fake_runtime_object.h"
#include "standin_strings.h"

namespace ceflib::test {
namespace {

void Append(cef_string_list_t list, const ustring& text) {
  cef_string_t view = CefStringView(text);
  cef_string_list_append(list, &view);
}

// A browser whose get_frame_names fills the list with Names, or raises.
struct TFakeBrowserWithFrames {
  TFakeRuntimeObject<cef_browser_t> Browser;
  ustringlist Names;
  bool Throw = false;

  static TFakeBrowserWithFrames* From(cef_browser_t* self) { return reinterpret_cast<TFakeBrowserWithFrames*>(self); }
  static void CEF_CALLBACK GetFrameNames(cef_browser_t* self, cef_string_list_t names) {
    for (const ustring& name : From(self)->Names) Append(names, name);
    if (From(self)->Throw) throw std::runtime_error("member failed");
  }
  TFakeBrowserWithFrames() { Browser.Struct.get_frame_names = GetFrameNames; }
};

TEST(CefStringListFilled, RuntimeValuesAreAppendedToTheCallersListAndTheListFreed) {
  TStringCallCounts& counts = UseStandInStrings();
  TFakeBrowserWithFrames fake;
  fake.Names = {L"main", ustring(L"a\0b", 3)};
  RefPtr<ICefBrowser> browser = ICefBrowser::UnWrap(&fake.Browser.Struct);
  ustringlist names{L"kept"};
  browser->GetFrameNames(names);
  EXPECT_EQ(names, (ustringlist{L"kept", L"main", ustring(L"a\0b", 3)}));
  EXPECT_EQ(counts.ListAllocs, 1);
  EXPECT_EQ(counts.ListFrees, 1);
}

TEST(CefStringListFilled, EmptyRuntimeListAppendsNothing) {
  TStringCallCounts& counts = UseStandInStrings();
  TFakeBrowserWithFrames fake;
  RefPtr<ICefBrowser> browser = ICefBrowser::UnWrap(&fake.Browser.Struct);
  ustringlist names{L"kept"};
  browser->GetFrameNames(names);
  EXPECT_EQ(names, (ustringlist{L"kept"}));
  EXPECT_EQ(counts.ListFrees, 1);
}

TEST(CefStringListFilled, ListIsFreedWhenTheMemberCallRaises) {
  TStringCallCounts& counts = UseStandInStrings();
  TFakeBrowserWithFrames fake;
  fake.Names = {L"main"};
  fake.Throw = true;
  RefPtr<ICefBrowser> browser = ICefBrowser::UnWrap(&fake.Browser.Struct);
  ustringlist names;
  EXPECT_THROW(browser->GetFrameNames(names), std::runtime_error);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(counts.ListAllocs, 1);
  EXPECT_EQ(counts.ListFrees, 1);
}

ustringlist SeenByReader;
bool ReaderThrows = false;
void ReadList(cef_string_list_t list) {
  SeenByReader.clear();
  CefStringListAppendTo(list, SeenByReader);
  if (ReaderThrows) throw std::runtime_error("reader failed");
}

TEST(CefStringListGiven, CalleeReadsTheTextsInOrderAndTheListIsFreedOnEveryPath) {
  TStringCallCounts& counts = UseStandInStrings();
  const ustringlist texts{L"*.png", L"", L"*.jpg"};
  ReaderThrows = false;
  CefInvoke(&ReadList, texts);
  EXPECT_EQ(SeenByReader, texts);
  EXPECT_EQ(counts.ListFrees, 1);

  ReaderThrows = true;
  EXPECT_THROW(CefInvoke(&ReadList, texts), std::runtime_error);
  EXPECT_EQ(counts.ListAllocs, 2);
  EXPECT_EQ(counts.ListFrees, 2);
}

// An Own class of the test's own over the display handler's favicon member.
class ITestFaviconHandler : public virtual ICefBase {
 public:
  virtual void OnFaviconUrlchange(const RefPtr<ICefBrowser>& browser, const ustringlist& iconUrls) = 0;
};

class TTestFaviconHandler : public TCefOwnOf<ITestFaviconHandler, cef_display_handler_t> {
 public:
  TTestFaviconHandler() { Bind<&cef_display_handler_t::on_favicon_urlchange, &TTestFaviconHandler::OnFaviconUrlchange>(); }
  void OnFaviconUrlchange(const RefPtr<ICefBrowser>&, const ustringlist& iconUrls) override { Seen = iconUrls; }
  ustringlist Seen;
};

TEST(CefStringListReceived, HandlerGetsTheValuesAndTheRuntimesListIsNotFreed) {
  TStringCallCounts& counts = UseStandInStrings();
  RefPtr<TTestFaviconHandler> handler = MakeRef<TTestFaviconHandler>();
  auto* data = static_cast<cef_display_handler_t*>(CefStructOf(handler));
  cef_string_list_t icons = cef_string_list_alloc();
  Append(icons, L"http://a/favicon.ico");
  Append(icons, L"http://b/favicon.ico");
  data->on_favicon_urlchange(data, nullptr, icons);
  EXPECT_EQ(handler->Seen, (ustringlist{L"http://a/favicon.ico", L"http://b/favicon.ico"}));
  EXPECT_EQ(counts.ListFrees, 0);
  EXPECT_EQ(cef_string_list_size(icons), 2);
  cef_string_list_free(icons);
  data->base.release(&data->base);
}

// The resource handler's response headers: the redirect address is replaced only when given.
class TRedirectingHandler : public TCefResourceHandlerOwn {
 public:
  TRedirectingHandler() : TCefResourceHandlerOwn(nullptr, nullptr, L"local", nullptr) {}
  void GetResponseHeaders(const RefPtr<ICefResponse>&, int64_t& responseLength, ustring& redirectUrl) override {
    SeenRedirect = redirectUrl;
    redirectUrl = NewRedirect;
    responseLength = 42;
  }
  ustring SeenRedirect;
  ustring NewRedirect;
};

TEST(CefResourceHandlerCallback, RedirectAddressIsReplacedOnlyWhenGiven) {
  UseStandInStrings();
  RefPtr<TRedirectingHandler> handler = MakeRef<TRedirectingHandler>();
  auto* data = static_cast<cef_resource_handler_t*>(CefStructOf(handler));
  cef_string_t redirect{};
  cef_string_utf16_set(L"http://old/", 11, &redirect, 1);
  int64 length = -1;

  data->get_response_headers(data, nullptr, &length, &redirect);
  EXPECT_EQ(handler->SeenRedirect, L"http://old/");
  EXPECT_EQ(CefStringRead(&redirect), L"http://old/");
  EXPECT_EQ(length, 42);

  handler->NewRedirect = L"http://new/";
  data->get_response_headers(data, nullptr, &length, &redirect);
  EXPECT_EQ(CefStringRead(&redirect), L"http://new/");

  cef_string_utf16_clear(&redirect);
  data->base.release(&data->base);
}

}  // namespace
}  // namespace ceflib::test
