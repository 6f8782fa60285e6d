// Wrappers and process-wide references when the runtime library goes away. A loaded system
// module stands in for the library, so that the unload frees a real module.

#include <gtest/gtest.h>

#include "ceflib/cef_frame.h"
#include "ceflib/cef_global_ref.h"
#include "ceflib/cef_loader.h"
#include "fake_runtime_object.h"

namespace ceflib::test {
namespace {

using TFakeFrame = TFakeRuntimeObject<cef_frame_t>;

TGlobalRef<ICefFrame> GlobalFrame;

void LoadAndUnloadALibrary() {
  LibraryHandle = LoadLibraryW(L"kernel32.dll");
  ASSERT_NE(LibraryHandle, nullptr);
  UnloadChromiumRuntime();
  ASSERT_EQ(LibraryHandle, nullptr);
}

TEST(RuntimeUnload, WrapperThatOutlivesTheLibraryNeverCallsIntoIt) {
  TFakeFrame frame;
  RefPtr<ICefFrame> wrapper = ICefFrame::UnWrap(&frame.Struct);
  LoadAndUnloadALibrary();
  EXPECT_EQ(CefStructOf(wrapper), nullptr);
  wrapper.reset();
  EXPECT_EQ(frame.AddRefs, 0);
  EXPECT_EQ(frame.Releases, 0);
}

TEST(RuntimeUnload, WrapperMadeAfterAnUnloadReleasesAsUsual) {
  LoadAndUnloadALibrary();
  TFakeFrame frame;
  RefPtr<ICefFrame> wrapper = ICefFrame::UnWrap(&frame.Struct);
  wrapper.reset();
  EXPECT_EQ(frame.Releases, 1);
}

TEST(RuntimeUnload, GlobalReferenceIsReleasedWhileTheLibraryIsStillThere) {
  TFakeFrame frame;
  GlobalFrame = ICefFrame::UnWrap(&frame.Struct);
  LoadAndUnloadALibrary();
  EXPECT_FALSE(GlobalFrame);
  EXPECT_EQ(frame.Releases, 1);
  GlobalFrame = nullptr;  // whatever happened above, nothing may point at the frame past its scope
}

}  // namespace
}  // namespace ceflib::test
