// The screen window in this process with the stand-in runtime, its handlers called directly.
#include "cefvcl/chromium.h"
#include "cefvcl/vcl_client_handler.h"
#include "fake_runtime_object.h"
#include "runtime_environment.h"
#include "screen/ScreenForm.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace ceflib;
using cefvcl::test::PumpUntil;

int CursorCount() { return ShowCursor(FALSE), ShowCursor(TRUE); }
int DialogAnswer = -1;
void CEF_CALLBACK Answer(cef_jsdialog_callback_t*, int success, const cef_string_t*) { DialogAnswer = success; }

class ScreenFormWindow : public ::testing::Test {
 protected:
  void SetUp() override { Application.CreateForm(ScreenForm); }
  void TearDown() override {
    ScreenForm->Hide();
    Application.DestroyForms();
    EXPECT_TRUE(PumpUntil([] { return cefvcl::ClientHandlerCount == 0; }));
  }
  static void Show(bool preview, const std::wstring& list1, int displayDelay = 500) {
    TSettings settings{displayDelay, 5000, {list1}};
    preview ? ScreenForm->ShowPreview(settings) : ScreenForm->ShowSaver(settings);
  }
  static RefPtr<ICefBrowser> Browser1() { return ScreenForm->BrowserC(1)->Browser(); }
  static cefgui::IChromiumEvents& Events1() { return *ScreenForm->BrowserC(1); }
  // Sends monitor 1 to url, waits for it, then lets the input watch see a message.
  static bool Monitor1Shows(const std::wstring& url) {
    ScreenForm->BrowserC(1)->Load(url);
    bool shown = PumpUntil([&] { return Browser1()->GetMainFrame()->GetUrl() == url; }), handled = false;
    MSG message{};
    ScreenForm->ApplicationMessage(message, handled);
    return shown;
  }
  static int LoadsOfOne() {
    auto id = std::to_string(Browser1()->GetIdentifier());
    auto loads = cefvcl::test::Journal().All("load_start");
    return std::count_if(loads.begin(), loads.end(),
                         [&](auto& e) { return e.Has("browser", id) && e.Has("url", "about:blank#one"); });
  }
};

}  // namespace

TEST_F(ScreenFormWindow, CursorHiddenInTheSaverShownOnASignInPageAndItsCountComesBack) {
  const int before = CursorCount();
  Show(false, L"about:blank#one", 10000);
  EXPECT_LT(ScreenForm->Timer1.Interval(), ScreenForm->Timer3.Interval()) << "overlays gone before a rotation";
  EXPECT_EQ(CursorCount(), before - 1);
  ASSERT_TRUE(Monitor1Shows(L"about:blank#login"));
  EXPECT_EQ(CursorCount(), before);
  ASSERT_TRUE(Monitor1Shows(L"about:blank#two"));
  EXPECT_EQ(CursorCount(), before - 1);
  EXPECT_FALSE(ScreenForm->PanelTrigger.Visible()) << "switches outside a preview";
  ScreenForm->Hide();
  EXPECT_EQ(CursorCount(), before);
  EXPECT_FALSE(ScreenForm->Timer2.Enabled());
  Show(true, L"about:blank#one");
  ASSERT_TRUE(Monitor1Shows(L"about:blank#one"));
  EXPECT_TRUE(ScreenForm->PanelTrigger.Visible());
  ScreenForm->Hide();
  EXPECT_EQ(CursorCount(), before) << "a preview";
}

TEST_F(ScreenFormWindow, MonitorOneWaitsOnASignInPageOnlyWhereItsEntryLedIt) {
  for (auto [list, page, tagAfterTick] : {std::tuple{L"about:blank#loginsights,x", L"about:blank#loginsights", 1},
                                          {L"about:blank#one,x", L"about:blank#login", 0}}) {
    Show(false, list);
    ASSERT_TRUE(Monitor1Shows(page));
    ScreenForm->Timer3Timer(ScreenForm->Timer3);
    EXPECT_EQ(ScreenForm->BrowserC(1)->Tag, tagAfterTick) << page;
    ScreenForm->Hide();
  }
}

TEST_F(ScreenFormWindow, PagesQuestionsAreAnsweredForTheOperatorAndPopupsCancelled) {
  Show(false, L"about:blank#one");
  test::TFakeRuntimeObject<cef_jsdialog_callback_t> callback;
  callback.Struct.cont = Answer;
  auto answer = [&] { return ICefJsDialogCallback::UnWrap(&callback.Struct); };
  bool suppress = true, noScript = false;
  for (auto [type, accepted] : {std::pair{JSDIALOGTYPE_ALERT, 1}, {JSDIALOGTYPE_CONFIRM, 0}, {JSDIALOGTYPE_PROMPT, 0}})
    EXPECT_TRUE(Events1().HandleJsdialog(Browser1(), L"", L"", type, L"?", L"", answer(), suppress) &&
                DialogAnswer == accepted) << type;
  EXPECT_TRUE(Events1().HandleBeforeUnloadDialog(Browser1(), L"", false, answer()));
  EXPECT_EQ(DialogAnswer, 1);
  RefPtr<ICefClient> client;
  EXPECT_TRUE(Events1().HandleBeforePopup(Browser1(), nullptr, L"about:blank#popup", L"", WOD_NEW_POPUP, true, nullptr,
                                          nullptr, client, nullptr, noScript));
}

TEST_F(ScreenFormWindow, APageThatBrokeAfterItCameIsLoadedAgainOncePerFailure) {
  Show(false, L"about:blank#one");
  ASSERT_TRUE(PumpUntil([] { return LoadsOfOne() == 1; }));
  Events1().HandleLoadEnd(Browser1(), Browser1()->GetMainFrame(), 503);
  EXPECT_TRUE(PumpUntil([] { return LoadsOfOne() == 2; })) << "a server error";
  Events1().HandleRenderProcessTerminated(Browser1(), TS_PROCESS_CRASHED);
  Events1().HandleRenderProcessTerminated(Browser1(), TS_PROCESS_CRASHED);  // while the first waits
  EXPECT_TRUE(PumpUntil([] { return LoadsOfOne() == 3; })) << "a renderer that ended";
  Events1().HandleLoadEnd(Browser1(), Browser1()->GetMainFrame(), 404);
  cefvcl::test::PumpFor(5000);
  EXPECT_EQ(LoadsOfOne(), 3);
}
