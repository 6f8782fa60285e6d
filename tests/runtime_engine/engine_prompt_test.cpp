// What a page asks reaches the program's callbacks; unanswered, the runtime's own answer leaves
// no page stuck and no file behind.

#include "engine_fixture.h"
#include "loopback_server.h"
#include "window_capture.h"

#include <filesystem>

namespace standin_test {
namespace {

using kelpa::test::TCapture;
using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

TEST_F(EngineTest, ScriptDialogsAreAnsweredAndThePagePaints) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(200, "<body><script>alert('a'); const c = confirm('b'); const p = prompt('c', 'd');"
                                   "document.title = 'c=' + c + ' p=' + p;"
                                   "document.body.style.background = 'rgb(10, 200, 30)';</script></body>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/dialogs")), 0, 0, 400, 300);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  EXPECT_TRUE(FClient.Has("title:c=false p=null"));
  for (const char* dialog : {"jsdialog:0:a", "jsdialog:1:b", "jsdialog:2:c"}) EXPECT_TRUE(FClient.Has(dialog)) << dialog;
  ASSERT_TRUE(PumpUntil([&] { return TCapture::OfWindow(BrowserWindow(browser)).Pixel(200, 150) == RGB(10, 200, 30); }));
  FClient.answer_dialogs = true;
  FClient.prompt_answer = L"typed";
  FClient.ClearEvents();
  browser->reload(browser);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:c=true p=typed"); }, 20000));
}

TEST_F(EngineTest, APageThatAsksBeforeLeavingLetsTheNextLoadGo) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/next") return TServerReply::Html(200, "<title>Next</title>");
    return TServerReply::Html(200, "<title>Stay</title><script>onbeforeunload = e => { e.preventDefault();"
                                   " e.returnValue = 'sure?'; };</script>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/stay")), 0, 0, 400, 300);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  // The engine asks only once a person has used the page.
  PostMessageW(BrowserWindow(browser), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(BrowserWindow(browser), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  PumpFor(500);
  Load(browser, Wide(server.Url("/next")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:Next"); }, 20000));
  EXPECT_TRUE(FClient.Has("before_unload"));
}

TEST_F(EngineTest, ABasicChallengeIsAskedForAndRefusedShowsTheServersPage) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(401, "<title>Denied</title>", "WWW-Authenticate: Basic realm=\"wall\"\r\n");
  });
  CreateBrowser(FClient, Wide(server.Url("/private")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  EXPECT_TRUE(FClient.Has("auth:127.0.0.1:wall:basic"));
  EXPECT_TRUE(FClient.Has("load_end:401"));
  EXPECT_TRUE(FClient.Has("title:Denied"));
}

TEST_F(EngineTest, ADownloadNobodyContinuesIsCancelledAndLeavesNoFile) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(200, std::string(200000, 'x'), "Content-Disposition: attachment; filename=wall.bin\r\n",
                              "application/octet-stream");
  });
  CreateBrowser(FClient, Wide(server.Url("/file")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("before_download:wall.bin"); }, 20000));
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  std::filesystem::path scratch = std::wstring(temp) + L"StandinDownloads-" + std::to_wstring(GetCurrentProcessId());
  PumpFor(1500);
  std::error_code error;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch, error), {}), 0);
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_ABORTED)), 1u);
}

TEST_F(EngineTest, APopupIsOfferedToTheProgramAndOpensNoWindow) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/opener")
      return TServerReply::Html(200, "<a href='/popup' target='_blank' style='position:absolute;left:0;top:0;"
                                     "width:300px;height:200px;display:block'>open</a>");
    return TServerReply::Html(200, "<title>Popup</title>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/opener")), 0, 0, 400, 300);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  PostMessageW(BrowserWindow(browser), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(BrowserWindow(browser), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("popup:" + server.Url("/popup")); }, 20000));
  // The engine made a target for it, and the runtime closed that target again.
  ASSERT_TRUE(PumpUntil([&] { return !FJournal.Entries("popup_target").empty(); }, 20000));
  EXPECT_EQ(FJournal.Entries("popup_target").back().Field("closed"), "1");
}

}  // namespace
}  // namespace standin_test
