// The engine behaves as the program's runtime does: file: forms, no requests of its own, a load
// replacing a hung one, load start at commit and end without the page's help, any layout's keys.

#include "engine_fixture.h"
#include "loopback_server.h"

#include <filesystem>
#include <fstream>

namespace standin_test {
namespace {

using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

TEST_F(EngineTest, ShowsFilesAddressedTheWindowsWayAndReportsThemSo) {
  std::filesystem::create_directories(std::filesystem::path(FDir) / L"Zo\u00eb dir");
  std::ofstream(std::filesystem::path(FDir) / L"Zo\u00eb dir" / L"p\u00e2ge.html") << "<title>On disk</title>";
  std::wstring slashed = FDir;
  for (wchar_t& c : slashed)
    if (c == L'\\') c = L'/';
  cef_browser_t* browser = CreateBrowser(FClient, L"about:blank");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  for (const std::wstring& url : {L"file:///" + slashed + L"/Zo%C3%AB%20dir/p%C3%A2ge.html",
                                  L"file://" + slashed + L"/Zo\u00eb dir/p\u00e2ge.html"}) {
    FClient.ClearEvents();
    Load(browser, url);
    ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000)) << Narrow(url);
    EXPECT_TRUE(FClient.Has("title:On disk")) << Narrow(url);
    EXPECT_TRUE(FClient.Has("load_end:0") || FClient.Has("load_end:200")) << Narrow(url);
    EXPECT_EQ(FrameUrl(browser), url);
  }
  FClient.ClearEvents();
  Load(browser, L"file:///" + slashed + L"/missing.html");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_FILE_NOT_FOUND) + ":"), 1u);
}

TEST_F(EngineTest, TheProgramsSchemeIsAskedForThePageAlone) {
  THandlerSetup setup;
  setup.body = "<title>Alone</title>";
  TTestFactory& factory = RegisterFactory(L"test", setup);
  CreateBrowser(FClient, L"test://site/page.html");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  PumpFor(2000);  // the engine asks for a page's icon after its load
  std::lock_guard<std::mutex> guard(factory.lock);
  EXPECT_EQ(factory.handlers.size(), 1u);
}

TEST_F(EngineTest, ALoadReplacingAHungOneLoadsAndEnds) {
  TLoopbackServer server([](const TServedRequest& request) {
    TServerReply reply = TServerReply::Html(200, "<title>Quick</title>");
    if (request.target == "/hang") reply.send_nothing = true;
    return reply;
  });
  cef_browser_t* browser = CreateBrowser(FClient, L"about:blank");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  for (int round = 0; round < 3; ++round) {
    FClient.ClearEvents();
    Load(browser, Wide(server.Url("/hang")));
    ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:1"); }, 20000));
    PumpFor(300);
    Load(browser, Wide(server.Url("/quick")));
    ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200"); }, 20000)) << "round " << round;
    std::vector<std::string> expected = {
        "loading:1", "load_error:" + std::to_string(ERR_ABORTED) + ":ERR_ABORTED:" + server.Url("/hang"),
        "load_start", "address:" + server.Url("/quick"), "title:Quick", "load_end:200", "loading:0"};
    ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 5000));
    std::vector<std::string> events = FClient.Events();
    std::erase_if(events, [](const std::string& e) { return e.rfind("before_", 0) == 0; });
    EXPECT_EQ(events, expected) << "round " << round;
  }
}

TEST_F(EngineTest, LoadStartsWhenThePageCommitsAndEndsWhileThePageIsBusy) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(200, "<title>Busy</title><script>onload = () => setTimeout(() => {"
                                   " const t = Date.now(); while (Date.now() - t < 8000); }, 0);</script>");
  });
  std::string url = server.Url("/busy");
  CreateBrowser(FClient, Wide(url));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_start"); }, 20000));
  auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
  std::vector<std::string> events = FClient.Events();
  std::erase_if(events, [](const std::string& e) { return e.rfind("after_created", 0) == 0; });
  std::vector<std::string> expected = {"before_browse:" + url, "loading:1", "before_resource_load:" + url,
                                       "load_start", "address:" + url, "title:Busy", "load_end:200", "loading:0"};
  EXPECT_EQ(events, expected);
}

TEST_F(EngineTest, AltGrAndAnyLayoutsCharactersReachTheForm) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(200, "<input id=f autofocus style='position:absolute;left:0;top:0;width:300px'>"
                                   "<script>f.onkeydown = e => document.title = 'key=' + e.key + ' code=' + e.code;"
                                   "f.oninput = () => document.title = 'value=' + f.value;</script>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/form")), 0, 0, 400, 300);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  HWND window = BrowserWindow(browser);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  // AltGr+Q on a German keyboard: Ctrl and Alt held, the layout makes "@" of it.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_MENU] = keys[VK_RMENU] = 0x80;
  SetKeyboardState(keys);
  PostMessageW(window, WM_KEYDOWN, 'Q', 0x00100001);
  PostMessageW(window, WM_CHAR, L'@', 0x00100001);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:value=@"); }, 20000));
  keys[VK_CONTROL] = keys[VK_MENU] = keys[VK_RMENU] = 0;
  SetKeyboardState(keys);
  PostMessageW(window, WM_CHAR, L'\u20ac', 0);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:value=@?"); }, 20000));  // Narrow shows the euro as ?
  PostMessageW(window, WM_KEYDOWN, 'Z', 0x00150001);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:key=z code=KeyY"); }, 20000));
}

}  // namespace
}  // namespace standin_test
