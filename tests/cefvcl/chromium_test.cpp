// The browser control on real windows with the stand-in runtime: window and browser made on
// demand, loads, events and their answers, sizing, focus and keys, developer tools, and what
// is left once a control is gone.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "cefvcl/chromium.h"
#include "cefvcl/vcl_client_handler.h"
#include "runtime_environment.h"
#include "toolkit/Form.h"

namespace cefvcl::test {
namespace {

using kelpa::test::TJournalEvent;


class Chromium : public ::testing::Test {
 protected:
  void SetUp() override {
    FBlocksBefore = TCefBaseOwn::LiveBlocks();
    FForm = std::make_unique<TForm>();
    FForm->SetBounds(0, 0, 640, 480);
  }
  void TearDown() override {
    FForm.reset();  // frees the controls it owns
    // The runtime gives the clients back once it has closed the browsers.
    EXPECT_TRUE(PumpUntil([&] { return TCefBaseOwn::LiveBlocks() == FBlocksBefore; }))
        << TCefBaseOwn::LiveBlocks() - FBlocksBefore << " objects left alive";
    EXPECT_EQ(ClientHandlerCount.load(), 0);
  }

  TChromium& NewChromium() {
    TChromium& chromium = MakeComponent<TChromium>(FForm.get());
    chromium.SetParent(FForm.get());
    chromium.SetBounds(10, 20, 300, 200);
    return chromium;
  }

  // Load events for the browser with this identifier, in journal order.
  static std::vector<TJournalEvent> Events(const std::string& keyword, int browserId) {
    std::vector<TJournalEvent> result;
    for (const TJournalEvent& e : Journal().All(keyword))
      if (e.Has("browser", std::to_string(browserId))) result.push_back(e);
    return result;
  }

  std::unique_ptr<TForm> FForm;
  int32_t FBlocksBefore = 0;
};

TEST_F(Chromium, LoadOnAParentedControlMakesWindowAndBrowserAndLoadsOnlyThatAddress) {
  TChromium& chromium = NewChromium();
  EXPECT_FALSE(chromium.HandleAllocated());
  std::wstring loadedUrl, changedUrl;
  int endStatus = -1, endBrowser = 0;
  chromium.OnLoadEnd = [&](TComponent* sender, const RefPtr<ICefBrowser>& browser, const RefPtr<ICefFrame>& frame,
                           int status) {
    EXPECT_EQ(sender, &chromium);
    EXPECT_TRUE(frame);
    endBrowser = browser->GetIdentifier();
    endStatus = status;
  };
  chromium.OnAddressChange = [&](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                 const ustring& url) { changedUrl = url; };

  chromium.Load(L"about:kelpa");

  ASSERT_TRUE(chromium.HandleAllocated());
  ASSERT_TRUE(chromium.Browser());
  EXPECT_NE(chromium.BrowserId(), 0);
  ASSERT_TRUE(PumpUntil([&] { return endBrowser != 0; }));
  EXPECT_EQ(endBrowser, chromium.BrowserId());
  EXPECT_EQ(changedUrl, L"about:kelpa");

  auto created = Events("browser_create", chromium.BrowserId());
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(HandleField(created[0], "parent"), chromium.Handle());
  EXPECT_TRUE(created[0].Has("url", ""));
  EXPECT_TRUE(created[0].Has("width", "300") && created[0].Has("height", "200")) << Journal().Text();
  auto starts = Events("load_start", chromium.BrowserId());
  ASSERT_EQ(starts.size(), 1u) << Journal().Text();
  EXPECT_TRUE(starts[0].Has("url", "about:kelpa"));
  auto ends = Events("load_end", chromium.BrowserId());
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_TRUE(ends[0].Has("status", std::to_string(endStatus)));
}

TEST_F(Chromium, LoadWithoutAParentRaisesAndMakesNoBrowser) {
  TChromium& chromium = MakeComponent<TChromium>(FForm.get());
  EXPECT_THROW(chromium.Load(L"about:blank"), Exception);
  EXPECT_FALSE(chromium.Browser());
  EXPECT_EQ(chromium.BrowserId(), 0);
}

TEST_F(Chromium, ATimerTickWhileTheLoopIsBusyReturnsAtOnce) {
  TChromium& chromium = NewChromium();
  bool started = false;
  chromium.OnLoadStart = [&](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&) { started = true; };
  MessageLoopBusy = true;
  chromium.Load(L"about:busy");
  PumpFor(200);
  EXPECT_FALSE(started) << "the runtime's work ran during a busy tick";
  MessageLoopBusy = false;
  EXPECT_TRUE(PumpUntil([&] { return started; }));
}

TEST_F(Chromium, TheBrowserWindowFollowsTheControlsSize) {
  TChromium& chromium = NewChromium();
  chromium.Load(L"about:blank");
  HWND browserWindow = chromium.Browser()->GetHost()->GetWindowHandle();
  chromium.SetBounds(0, 0, 420, 250);
  RECT r;
  GetWindowRect(browserWindow, &r);
  MapWindowPoints(HWND_DESKTOP, chromium.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, chromium.ClientWidth());
  EXPECT_EQ(r.bottom, chromium.ClientHeight());
  EXPECT_EQ(chromium.ClientWidth(), 420);
}

// A control whose runtime made no browser.
class TBrowserlessChromium : public TChromium {
 public:
  using TChromium::TChromium;

 protected:
  void CreateBrowser() override {}
};

TEST_F(Chromium, BackgroundErasingIsSwallowedOnlyOnceABrowserExists) {
  TChromium& with = NewChromium();
  with.Load(L"about:blank");
  auto& without = MakeComponent<TBrowserlessChromium>(FForm.get());
  without.SetParent(FForm.get());
  without.Load(L"about:blank");  // makes the window; no browser, so nothing loads
  ASSERT_TRUE(without.HandleAllocated());
  EXPECT_FALSE(without.Browser());
  HDC dc = GetDC(FForm->Handle());
  EXPECT_EQ(with.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)), 1);
  EXPECT_EQ(without.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)), 0);
  ReleaseDC(FForm->Handle(), dc);
  // Nothing to resize, nothing to show tools for.
  without.SetBounds(0, 0, 50, 50);
  without.ShowDevTools();
  without.ReCreateBrowser(L"about:blank");
  EXPECT_EQ(without.BrowserId(), 0);
}

TEST_F(Chromium, TheControlWantsEveryKeyButEnterEscapeAndTheArrows) {
  TChromium& chromium = NewChromium();
  chromium.Load(L"about:blank");
  EXPECT_EQ(chromium.Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
  struct {
    WPARAM key;
    LRESULT wanted;
  } cases[] = {{VK_TAB, 1}, {'A', 1}, {VK_F5, 1}, {VK_RETURN, 0}, {VK_ESCAPE, 0}, {VK_LEFT, 0}, {VK_DOWN, 0}};
  for (auto test : cases) EXPECT_EQ(chromium.Perform(CM_WANTSPECIALKEY, test.key), test.wanted) << test.key;
}

TEST_F(Chromium, FocusOnTheControlPassesToTheBrowserWindow) {
  FForm->Show();
  TChromium& chromium = NewChromium();
  chromium.Load(L"about:blank");
  bool gotFocus = false;
  chromium.OnGotFocus = [&](TComponent*, const RefPtr<ICefBrowser>&) { gotFocus = true; };
  chromium.SetFocus();
  EXPECT_TRUE(PumpUntil([&] { return gotFocus; }));
}

TEST_F(Chromium, UnassignedEventsAnswerSoTheRuntimeGoesOn) {
  TChromium& chromium = MakeComponent<TChromium>(FForm.get());
  IChromiumEvents& sink = chromium;
  ustring text = L"tip", newUrl = L"http://next/";
  bool allow = true, shortcut = true;
  EXPECT_EQ(sink.HandleBeforeResourceLoad(nullptr, nullptr, nullptr, nullptr), RV_CONTINUE);
  EXPECT_FALSE(sink.HandleGetResourceHandler(nullptr, nullptr, nullptr));
  EXPECT_FALSE(sink.HandleBeforeBrowse(nullptr, nullptr, nullptr, false));
  EXPECT_FALSE(sink.HandleTooltip(nullptr, text));
  sink.HandleResourceRedirect(nullptr, nullptr, nullptr, newUrl);
  sink.HandleProtocolExecution(nullptr, L"mailto:x", allow);
  EXPECT_FALSE(sink.HandlePreKeyEvent(nullptr, nullptr, nullptr, shortcut));
  EXPECT_EQ(text, L"tip");
  EXPECT_EQ(newUrl, L"http://next/");
  EXPECT_TRUE(allow && shortcut);

  chromium.OnBeforeResourceLoad = [](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                     const RefPtr<ICefRequest>&, const RefPtr<ICefRequestCallback>&,
                                     cef_return_value_t& result) { result = RV_CANCEL; };
  chromium.OnProtocolExecution = [](TComponent*, const RefPtr<ICefBrowser>&, const ustring&, bool& allowOs) {
    allowOs = false;
  };
  EXPECT_EQ(sink.HandleBeforeResourceLoad(nullptr, nullptr, nullptr, nullptr), RV_CANCEL);
  sink.HandleProtocolExecution(nullptr, L"mailto:x", allow);
  EXPECT_FALSE(allow);
}

TEST_F(Chromium, AnAnswerGivenByAnEventReachesTheRuntime) {
  TChromium& chromium = NewChromium();
  std::wstring refused;
  chromium.OnBeforeBrowse = [&](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&,
                                const RefPtr<ICefRequest>& request, bool, bool& cancel) {
    refused = request->GetUrl();
    cancel = true;
  };
  int errors = 0;
  chromium.OnLoadError = [&](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, int, const ustring&,
                             const ustring&) { ++errors; };
  chromium.Load(L"about:refused");
  ASSERT_TRUE(PumpUntil([&] { return !refused.empty(); }));
  EXPECT_EQ(refused, L"about:refused");
  PumpFor(100);
  auto errorsLogged = Events("load_error", chromium.BrowserId());
  ASSERT_EQ(errorsLogged.size(), 1u) << Journal().Text();
  EXPECT_TRUE(errorsLogged[0].Has("by", "on_before_browse"));
  EXPECT_TRUE(Events("load_end", chromium.BrowserId()).empty());
}

TEST_F(Chromium, DeveloperToolsOpenAndClose) {
  TChromium& chromium = NewChromium();
  chromium.ShowDevTools();  // no browser yet: nothing
  chromium.Load(L"about:blank");
  chromium.ShowDevTools();
  chromium.CloseDevTools();
  PumpFor(50);
  auto tools = Events("devtools", chromium.BrowserId());
  ASSERT_EQ(tools.size(), 2u) << Journal().Text();
  EXPECT_TRUE(tools[0].Has("action", "show"));
  EXPECT_TRUE(tools[1].Has("action", "close"));
}

TEST_F(Chromium, ReCreateBrowserLeavesTheOldBrowserAloneAndLoadsIntoTheNewOne) {
  TChromium& chromium = NewChromium();
  chromium.ReCreateBrowser(L"about:never");  // no browser yet: nothing
  EXPECT_FALSE(chromium.HandleAllocated());
  chromium.Load(L"about:first");
  const int oldId = chromium.BrowserId();
  chromium.ReCreateBrowser(L"about:second");
  ASSERT_NE(chromium.BrowserId(), 0);
  EXPECT_NE(chromium.BrowserId(), oldId);
  ASSERT_TRUE(PumpUntil([&] { return !Events("load_end", chromium.BrowserId()).empty(); })) << Journal().Text();
  auto starts = Events("load_start", chromium.BrowserId());
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_TRUE(starts[0].Has("url", "about:second"));
  // Neither stopped nor closed: its load ends as it would have, and it goes with the window.
  ASSERT_TRUE(PumpUntil([&] { return !Events("load_end", oldId).empty(); })) << Journal().Text();
  EXPECT_TRUE(Events("load_error", oldId).empty()) << Journal().Text();
  EXPECT_TRUE(Events("browser_closed", oldId).empty()) << Journal().Text();
  FForm.reset();
  ASSERT_TRUE(PumpUntil([&] { return !Events("browser_closed", oldId).empty(); })) << Journal().Text();
  EXPECT_TRUE(Events("browser_closed", oldId)[0].Has("reason", "window_destroyed"));
}

TEST_F(Chromium, NoEventReachesAControlOnceItIsDestroyed) {
  TChromium* chromium = &NewChromium();
  auto destroyed = std::make_shared<bool>(false);
  auto lateEvents = std::make_shared<int>(0);
  auto count = [destroyed, lateEvents] {
    if (*destroyed) ++*lateEvents;
  };
  chromium->OnLoadEnd = [count](TComponent*, const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, int) { count(); };
  chromium->OnBeforeClose = [count](TComponent*, const RefPtr<ICefBrowser>&) { count(); };
  chromium->OnLoadingStateChange = [count](TComponent*, const RefPtr<ICefBrowser>&, bool, bool, bool) { count(); };
  chromium->Load(L"about:in-flight");
  const int id = chromium->BrowserId();
  delete chromium;  // freed before its owner, which lets go of it
  *destroyed = true;
  ASSERT_TRUE(PumpUntil([&] { return !Events("browser_closed", id).empty(); })) << Journal().Text();
  PumpFor(50);
  EXPECT_EQ(*lateEvents, 0);
  EXPECT_EQ(FForm->ComponentCount(), 0);
}

}  // namespace
}  // namespace cefvcl::test
