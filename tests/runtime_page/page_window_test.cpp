#include "page_window.h"

#include "test_paths.h"
#include "window_capture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace standin::page {
namespace {

using kelpa::test::TCapture;

class PageWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    FParent = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640,
                              480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(FParent, nullptr);
  }
  void TearDown() override {
    if (IsWindow(FParent)) DestroyWindow(FParent);
  }
  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  HWND FParent = nullptr;
};

TEST_F(PageWindow, IsAChildAtTheGivenPlaceThatPaintsItsView) {
  TPageWindow window;
  ASSERT_TRUE(window.Create(FParent, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 10, 20, 400, 300, nullptr, {}));
  EXPECT_EQ(GetParent(window.Handle()), FParent);
  RECT bounds;
  GetWindowRect(window.Handle(), &bounds);
  MapWindowPoints(nullptr, FParent, reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ(bounds.left, 10);
  EXPECT_EQ(bounds.top, 20);
  EXPECT_EQ(bounds.right - bounds.left, 400);
  EXPECT_EQ(bounds.bottom - bounds.top, 300);

  window.SetView(TPageView{L"Window Title", L"http://h/", {L"Some body text"}, 0, nullptr});
  Pump();
  TCapture capture = TCapture::OfWindow(window.Handle());
  ASSERT_EQ(capture.Width(), 400);
  EXPECT_EQ(capture.Pixel(399, 299), RGB(255, 255, 255));
  EXPECT_GT(capture.DarkPixels({16, 16, 384, 46}), 50);
  std::wstring dir = kelpa::test::MakeTempDir(L"page-window-");
  EXPECT_TRUE(capture.SaveBmp((std::filesystem::path(dir) / L"page_window.bmp").wstring()));
  kelpa::test::RemoveTree(dir);
}

TEST_F(PageWindow, RepaintsAtItsNewSizeAfterAResize) {
  TPageWindow window;
  ASSERT_TRUE(window.Create(FParent, WS_CHILD | WS_VISIBLE, 0, 0, 0, 200, 100, nullptr, {}));
  window.SetView(TPageView{L"T", L"a", {}, 0xFF000080, nullptr});
  MoveWindow(window.Handle(), 0, 0, 300, 150, TRUE);
  Pump();
  TCapture capture = TCapture::OfWindow(window.Handle());
  EXPECT_EQ(capture.Width(), 300);
  EXPECT_EQ(capture.Height(), 150);
  EXPECT_EQ(capture.Pixel(299, 149), RGB(0, 0, 0x80));
}

TEST_F(PageWindow, ReportsFocusAndKeys) {
  int focused = 0;
  std::vector<UINT> keys;
  TPageWindow window;
  TPageWindowEvents events;
  events.on_focus = [&] { ++focused; };
  events.on_key = [&](UINT message, WPARAM, LPARAM) { keys.push_back(message); };
  ASSERT_TRUE(window.Create(FParent, WS_CHILD | WS_VISIBLE, 0, 0, 0, 100, 100, nullptr, std::move(events)));
  PostMessageW(window.Handle(), WM_SETFOCUS, 0, 0);  // as a host passes focus on
  Pump();
  EXPECT_EQ(GetFocus(), window.Handle());
  SendMessageW(window.Handle(), WM_KEYDOWN, 'A', 0);
  SendMessageW(window.Handle(), WM_CHAR, 'a', 0);
  EXPECT_EQ(focused, 1);
  EXPECT_EQ(keys, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
  EXPECT_NE(SendMessageW(window.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);
}

TEST_F(PageWindow, TellsWhenItsParentTakesItDown) {
  bool destroyed = false;
  TPageWindow window;
  TPageWindowEvents events;
  events.on_destroyed = [&] { destroyed = true; };
  ASSERT_TRUE(window.Create(FParent, WS_CHILD | WS_VISIBLE, 0, 0, 0, 100, 100, nullptr, std::move(events)));
  DestroyWindow(FParent);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(window.Handle(), nullptr);
}

TEST_F(PageWindow, DestroyingItselfTellsNobody) {
  bool destroyed = false;
  TPageWindowEvents events;
  events.on_destroyed = [&] { destroyed = true; };
  {
    TPageWindow window;
    ASSERT_TRUE(window.Create(FParent, WS_CHILD | WS_VISIBLE, 0, 0, 0, 100, 100, nullptr, std::move(events)));
    HWND handle = window.Handle();
    window.Destroy();
    EXPECT_FALSE(IsWindow(handle));
  }
  EXPECT_FALSE(destroyed);
}

TEST_F(PageWindow, AChildCannotBeCreatedWithoutAParent) {
  TPageWindow window;
  EXPECT_FALSE(window.Create(nullptr, WS_CHILD, 0, 0, 0, 10, 10, nullptr, {}));
  EXPECT_EQ(window.Handle(), nullptr);
}

}  // namespace
}  // namespace standin::page
