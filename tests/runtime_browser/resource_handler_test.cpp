// Pages served by the program's resource handlers: a scheme factory's or the request
// handler's own, driven on the IO thread in 32 KiB pieces.

#include "browser_fixture.h"

namespace standin_test {
namespace {

std::string Body(size_t size) {
  std::string body = "<html><head><title>Served</title></head><body>";
  while (body.size() < size) body += "lorem ipsum dolor sit amet ";
  body.resize(size);
  return body;
}

TEST_F(BrowserTest, ReadsAFactoryPageIn32KiBPiecesUpToItsExactLength) {
  THandlerSetup setup;
  setup.body = Body(100000);
  TTestFactory& factory = RegisterFactory(L"test", setup);
  CreateBrowser(FClient, L"test://site/page.html");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("load_end:200"));
  EXPECT_TRUE(FClient.Has("title:Served"));
  TTestResourceHandler* handler = factory.Last();
  ASSERT_NE(handler, nullptr);
  EXPECT_EQ(handler->requested_sizes, (std::vector<int>{32768, 32768, 32768, 100000 - 3 * 32768}));
  EXPECT_EQ(handler->position, 100000u);
  ASSERT_EQ(factory.create_threads.size(), 1u);
  EXPECT_NE(factory.create_threads[0], GetCurrentThreadId());
  for (DWORD thread : handler->threads) EXPECT_EQ(thread, factory.create_threads[0]);
  EXPECT_EQ(factory.scheme_names[0], L"test");
}

TEST_F(BrowserTest, WaitsForAHandlerThatContinuesFromAnotherThread) {
  THandlerSetup setup;
  setup.body = Body(70000);
  setup.continue_later = true;
  TTestFactory& factory = RegisterFactory(L"test", setup);
  CreateBrowser(FClient, L"test://site/late.html");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("load_end:200"));
  EXPECT_EQ(factory.Last()->position, 70000u);
}

TEST_F(BrowserTest, ReadsAnUnannouncedLengthUntilTheHandlerSaysItIsDone) {
  THandlerSetup setup;
  setup.body = Body(40000);
  setup.announce_length = false;
  TTestFactory& factory = RegisterFactory(L"test", setup);
  CreateBrowser(FClient, L"test://site/open.html");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:Served"));
  EXPECT_EQ(factory.Last()->requested_sizes, (std::vector<int>{32768, 32768, 32768}));
}

TEST_F(BrowserTest, FollowsAHandlersRedirect) {
  THandlerSetup setup;
  setup.body = Body(500);
  TTestFactory& factory = RegisterFactory(L"test", setup);
  FClient.resource_handler = [&](const std::wstring& url) -> cef_resource_handler_t* {
    if (url != L"test://site/moved") return nullptr;
    THandlerSetup moved;
    moved.redirect_to = L"test://site/target";
    FHandlers.push_back(std::make_unique<TTestResourceHandler>(moved));
    return FHandlers.back()->Hand();
  };
  cef_browser_t* browser = CreateBrowser(FClient, L"test://site/moved");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("resource_redirect:test://site/moved>test://site/target"));
  EXPECT_TRUE(FClient.Has("address:test://site/target"));
  EXPECT_EQ(FrameUrl(browser), L"test://site/target");
  EXPECT_EQ(factory.handlers.size(), 1u);
}

TEST_F(BrowserTest, CancelsAHandlerWhoseLoadIsAborted) {
  THandlerSetup setup;
  setup.never_continue = true;
  TTestFactory& factory = RegisterFactory(L"test", setup);
  cef_browser_t* browser = CreateBrowser(FClient, L"test://site/forever");
  ASSERT_TRUE(PumpUntil([&] { return factory.Last() != nullptr && !factory.Last()->threads.empty(); }));
  Load(browser, L"about:blank");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(PumpUntil([&] { return factory.Last()->cancelled.load(); }));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_ABORTED)), 1u);
}

TEST_F(BrowserTest, ShowsTheStatusTheHandlerSets) {
  THandlerSetup setup;
  setup.body = "<title>Missing</title>";
  setup.status = 404;
  RegisterFactory(L"test", setup);
  CreateBrowser(FClient, L"test://site/missing");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("load_end:404"));
}

}  // namespace
}  // namespace standin_test
