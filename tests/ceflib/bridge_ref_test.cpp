// Wrappers around runtime objects: who holds which reference, and the conversions of Ref
// operations, against runtime objects played by in-test C structs.

#include <gtest/gtest.h>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_errors.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_request.h"
#include "fake_runtime_object.h"

namespace ceflib::test {
namespace {

using TFakeFrame = TFakeRuntimeObject<cef_frame_t>;
using TFakeBrowser = TFakeRuntimeObject<cef_browser_t>;
using TFakeRequest = TFakeRuntimeObject<cef_request_t>;

TEST(CefRefWrapper, UnWrapOfNullGivesNil) {
  EXPECT_EQ(ICefFrame::UnWrap(nullptr), nullptr);
  EXPECT_EQ(ICefBrowser::UnWrap(nullptr), nullptr);
  EXPECT_EQ(TCefBaseRef::UnWrap(nullptr), nullptr);
}

TEST(CefRefWrapper, AdoptsTheRuntimeReferenceAndReleasesItOnceWhenTheLastCopyDies) {
  TFakeFrame frame;
  {
    RefPtr<ICefFrame> wrapper = ICefFrame::UnWrap(&frame.Struct);
    ASSERT_NE(wrapper, nullptr);
    RefPtr<ICefFrame> copy = wrapper;
    RefPtr<ICefBase> asBase = copy;
    wrapper.reset();
    copy.reset();
    EXPECT_EQ(frame.AddRefs, 0);
    EXPECT_EQ(frame.Releases, 0);
  }
  EXPECT_EQ(frame.AddRefs, 0);
  EXPECT_EQ(frame.Releases, 1);
}

TEST(CefRefWrapper, TwoWrappersOfOneObjectEachReleaseTheirOwnReference) {
  TFakeFrame frame;
  RefPtr<ICefFrame> first = ICefFrame::UnWrap(&frame.Struct);
  RefPtr<ICefFrame> second = ICefFrame::UnWrap(&frame.Struct);
  EXPECT_NE(first.get(), second.get());
  first.reset();
  EXPECT_EQ(frame.Releases, 1);
  second.reset();
  EXPECT_EQ(frame.Releases, 2);
}

TEST(CefRefWrapper, StructWithoutCountingMembersIsWrappedAndDroppedWithoutCalls) {
  cef_frame_t bare{};
  bare.base.size = sizeof(bare);
  RefPtr<ICefFrame> wrapper = ICefFrame::UnWrap(&bare);
  EXPECT_EQ(CefStructOf(wrapper), &bare);
  wrapper.reset();  // would jump to null if release were called
}

TEST(CefRefWrapper, HandingAWrapperToTheRuntimeAddsOneReferenceForIt) {
  TFakeFrame frame;
  RefPtr<ICefFrame> wrapper = ICefFrame::UnWrap(&frame.Struct);
  EXPECT_EQ(CefStructOf(wrapper), &frame.Struct);
  EXPECT_EQ(frame.AddRefs, 1);
  EXPECT_EQ(CefStructOf(RefPtr<ICefFrame>()), nullptr);
}

TEST(CefRefWrapper, CreateWithNullFailsAnAssertionNamingTheUnit) {
  try {
    RefPtr<TCefBaseRef> ref = MakeRef<TCefBaseRef>(nullptr);
    FAIL() << "no assertion failure";
  } catch (const EAssertionFailed& e) {
    std::string message = e.what();
    EXPECT_EQ(message.rfind("Assertion failure", 0), 0u) << message;
    EXPECT_NE(message.find("ceflib"), std::string::npos) << message;
  }
}

// ---- Ref operations ----

struct TFrameWithBrowser {
  TFakeFrame Frame;
  TFakeBrowser Browser;
  cef_browser_t* Result = nullptr;
  int IsMainValue = 0;
  cef_request_t* LoadedRequest = nullptr;

  static TFrameWithBrowser* From(cef_frame_t* self) { return reinterpret_cast<TFrameWithBrowser*>(self); }
  static int CEF_CALLBACK IsMain(cef_frame_t* self) { return From(self)->IsMainValue; }
  static cef_browser_t* CEF_CALLBACK GetBrowser(cef_frame_t* self) { return From(self)->Result; }
  static cef_frame_t* CEF_CALLBACK GetParent(cef_frame_t*) { return nullptr; }
  static void CEF_CALLBACK LoadRequest(cef_frame_t* self, cef_request_t* request) {
    From(self)->LoadedRequest = request;
  }

  TFrameWithBrowser() {
    Frame.Struct.is_main = IsMain;
    Frame.Struct.get_browser = GetBrowser;
    Frame.Struct.get_parent = GetParent;
    Frame.Struct.load_request = LoadRequest;
  }
};

TEST(CefRefOperation, IntTruthValueBecomesBool) {
  TFrameWithBrowser fake;
  RefPtr<ICefFrame> frame = ICefFrame::UnWrap(&fake.Frame.Struct);
  fake.IsMainValue = 0;
  EXPECT_FALSE(frame->IsMain());
  fake.IsMainValue = 7;
  EXPECT_TRUE(frame->IsMain());
}

TEST(CefRefOperation, ReturnedObjectIsAdoptedByANewWrapper) {
  TFrameWithBrowser fake;
  fake.Result = &fake.Browser.Struct;
  RefPtr<ICefFrame> frame = ICefFrame::UnWrap(&fake.Frame.Struct);
  RefPtr<ICefBrowser> browser = frame->GetBrowser();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(CefStructOf(browser), &fake.Browser.Struct);  // adds one, released below
  fake.Browser.Struct.base.release(&fake.Browser.Struct.base);
  EXPECT_EQ(fake.Browser.AddRefs, 1);
  browser.reset();
  EXPECT_EQ(fake.Browser.Releases, 2);
}

TEST(CefRefOperation, ReturnedNullGivesNil) {
  TFrameWithBrowser fake;
  RefPtr<ICefFrame> frame = ICefFrame::UnWrap(&fake.Frame.Struct);
  EXPECT_EQ(frame->GetBrowser(), nullptr);
  EXPECT_EQ(frame->GetParent(), nullptr);
}

TEST(CefRefOperation, ObjectArgumentCarriesOneReferenceForTheRuntime) {
  TFrameWithBrowser fake;
  TFakeRequest request;
  RefPtr<ICefFrame> frame = ICefFrame::UnWrap(&fake.Frame.Struct);
  {
    RefPtr<ICefRequest> wrapped = ICefRequest::UnWrap(&request.Struct);
    frame->LoadRequest(wrapped);
  }
  EXPECT_EQ(fake.LoadedRequest, &request.Struct);
  // One reference added for the runtime, the wrapper's own given back.
  EXPECT_EQ(request.AddRefs, 1);
  EXPECT_EQ(request.Releases, 1);

  frame->LoadRequest(nullptr);
  EXPECT_EQ(fake.LoadedRequest, nullptr);
}

}  // namespace
}  // namespace ceflib::test
