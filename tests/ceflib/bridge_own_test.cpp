// Objects handed to the runtime: one counter shared with the runtime, one block holding the
// owner and the struct, and callbacks that convert, route and never let an exception out.

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "ceflib/cef_browser.h"
#include "ceflib/cef_own_of.h"
#include "fake_runtime_object.h"

namespace ceflib::test {
namespace {

// An interface and Own class of the test's own over the keyboard handler's struct: an object
// argument, a plain record, a handle, an in/out truth value and a truth-valued result.
class ITestKeyboardHandler : public virtual ICefBase {
 public:
  virtual bool OnPreKeyEvent(const RefPtr<ICefBrowser>& browser, const cef_key_event_t* event,
                             cef_event_handle_t osEvent, bool& isKeyboardShortcut) = 0;
  virtual bool OnKeyEvent(const RefPtr<ICefBrowser>& browser, const cef_key_event_t* event,
                          cef_event_handle_t osEvent) = 0;
};

class TTestKeyboardHandler : public TCefOwnOf<ITestKeyboardHandler, cef_keyboard_handler_t> {
 public:
  explicit TTestKeyboardHandler(bool* destroyed = nullptr) : FDestroyed(destroyed) {
    Bind<&cef_keyboard_handler_t::on_pre_key_event, &TTestKeyboardHandler::OnPreKeyEvent>();
  }
  ~TTestKeyboardHandler() override {
    if (FDestroyed) *FDestroyed = true;
  }

  bool OnPreKeyEvent(const RefPtr<ICefBrowser>& browser, const cef_key_event_t* event, cef_event_handle_t,
                     bool& isKeyboardShortcut) override {
    SeenBrowser = browser;
    SeenEvent = event;
    SeenShortcut = isKeyboardShortcut;
    if (Throw) throw std::runtime_error("handler failed");
    isKeyboardShortcut = !isKeyboardShortcut;
    return Result;
  }
  // Left unbound: its struct member stays null.
  bool OnKeyEvent(const RefPtr<ICefBrowser>&, const cef_key_event_t*, cef_event_handle_t) override { return true; }

  RefPtr<ICefBrowser> SeenBrowser;
  const cef_key_event_t* SeenEvent = nullptr;
  bool SeenShortcut = false;
  bool Result = true;
  bool Throw = false;

 private:
  bool* FDestroyed;
};

// A handler whose counting the runtime does not govern.
class TOwnedBaseOwn : public TCefBaseOwn {
 public:
  TOwnedBaseOwn() : TCefBaseOwn(sizeof(cef_base_t), true) {}
};

cef_keyboard_handler_t* StructOf(const RefPtr<TTestKeyboardHandler>& handler) {
  return static_cast<cef_keyboard_handler_t*>(CefStructOf(handler));
}

int RuntimeRelease(cef_keyboard_handler_t* data) { return data->base.release(&data->base); }
int RuntimeHasOneRef(cef_keyboard_handler_t* data) { return data->base.has_one_ref(&data->base); }

TEST(CefOwnObject, BlockHoldsTheOwnerThenTheZeroFilledStruct) {
  int32_t blocksBefore = TCefBaseOwn::LiveBlocks();
  RefPtr<TTestKeyboardHandler> handler = MakeRef<TTestKeyboardHandler>();
  EXPECT_EQ(TCefBaseOwn::LiveBlocks(), blocksBefore + 1);
  EXPECT_EQ(handler->RefCount(), 1);

  cef_keyboard_handler_t* data = StructOf(handler);
  RuntimeRelease(data);
  void* owner = *reinterpret_cast<void**>(reinterpret_cast<char*>(data) - sizeof(void*));
  EXPECT_EQ(owner, static_cast<TCefBaseOwn*>(handler.get()));
  EXPECT_EQ(TCefBaseOwn::OwnerOf(data), static_cast<TCefBaseOwn*>(handler.get()));
  EXPECT_EQ(data->base.size, sizeof(cef_keyboard_handler_t));
  EXPECT_NE(data->base.add_ref, nullptr);
  EXPECT_NE(data->on_pre_key_event, nullptr);
  EXPECT_EQ(data->on_key_event, nullptr);
}

TEST(CefOwnObject, WrappingTwiceGivesTheSameStructAndTwoReferences) {
  RefPtr<TTestKeyboardHandler> handler = MakeRef<TTestKeyboardHandler>();
  cef_keyboard_handler_t* first = StructOf(handler);
  cef_keyboard_handler_t* second = StructOf(handler);
  EXPECT_EQ(first, second);
  EXPECT_EQ(handler->RefCount(), 3);
  EXPECT_EQ(RuntimeRelease(first), 0);
  EXPECT_EQ(RuntimeRelease(second), 0);
  EXPECT_EQ(handler->RefCount(), 1);
}

TEST(CefOwnObject, HeldOnlyByTheRuntimeLivesUntilItsLastRelease) {
  int32_t blocksBefore = TCefBaseOwn::LiveBlocks();
  bool destroyed = false;
  RefPtr<TTestKeyboardHandler> handler = MakeRef<TTestKeyboardHandler>(&destroyed);
  cef_keyboard_handler_t* data = StructOf(handler);
  data->base.add_ref(&data->base);
  handler.reset();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(RuntimeHasOneRef(data), 0);
  EXPECT_EQ(RuntimeRelease(data), 0);
  EXPECT_EQ(RuntimeHasOneRef(data), 1);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(RuntimeRelease(data), 1);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(TCefBaseOwn::LiveBlocks(), blocksBefore);
}

// A bare Own object that counts its destructions.
class TCountedOwn : public TCefBaseOwn {
 public:
  explicit TCountedOwn(std::atomic<int>& destroyed) : TCefBaseOwn(sizeof(cef_base_t)), FDestroyed(destroyed) {}
  ~TCountedOwn() override { FDestroyed.fetch_add(1); }

 private:
  std::atomic<int>& FDestroyed;
};

TEST(CefOwnObject, RuntimeThreadsAndTheGuiThreadCountingAtOnceDestroyItExactlyOnce) {
  // Few rounds: starting threads under Wine is slow; each round races for thousands of counts.
  constexpr int kRounds = 25, kThreads = 4, kPairs = 5000;
  const int32_t blocksBefore = TCefBaseOwn::LiveBlocks();
  std::atomic<int> destroyed{0};
  for (int round = 1; round <= kRounds; ++round) {
    RefPtr<TCountedOwn> object = MakeRef<TCountedOwn>(destroyed);
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      auto* data = static_cast<cef_base_t*>(CefStructOf(object));  // this thread's own reference
      threads.emplace_back([data, &go] {
        while (!go.load()) std::this_thread::yield();
        for (int i = 0; i < kPairs; ++i) {
          data->add_ref(data);
          data->release(data);
        }
        data->release(data);
      });
    }
    go.store(true);
    object.reset();  // while the threads count
    for (std::thread& thread : threads) thread.join();
    ASSERT_EQ(destroyed.load(), round);
  }
  EXPECT_EQ(TCefBaseOwn::LiveBlocks(), blocksBefore);
}

TEST(CefOwnObject, HeldOnlyByTheSystemLivesUntilTheSystemDropsIt) {
  bool destroyed = false;
  RefPtr<TTestKeyboardHandler> handler = MakeRef<TTestKeyboardHandler>(&destroyed);
  cef_keyboard_handler_t* data = StructOf(handler);
  EXPECT_EQ(RuntimeRelease(data), 0);
  EXPECT_FALSE(destroyed);
  RefPtr<ITestKeyboardHandler> asInterface = handler;
  handler.reset();
  EXPECT_FALSE(destroyed);
  asInterface.reset();
  EXPECT_TRUE(destroyed);
}

TEST(CefOwnObject, OwnedStructIgnoresTheRuntimesCounting) {
  RefPtr<TOwnedBaseOwn> object = MakeRef<TOwnedBaseOwn>();
  auto* base = static_cast<cef_base_t*>(CefStructOf(object));
  EXPECT_EQ(object->RefCount(), 1);
  EXPECT_EQ(base->release(base), 1);
  EXPECT_EQ(base->has_one_ref(base), 1);
  EXPECT_EQ(object->RefCount(), 1);
}

// ---- Callbacks ----

class CefOwnCallback : public ::testing::Test {
 protected:
  void SetUp() override {
    Handler = MakeRef<TTestKeyboardHandler>();
    Data = StructOf(Handler);
  }
  void TearDown() override { RuntimeRelease(Data); }

  int PreKeyEvent(cef_browser_t* browser, int* isShortcut) {
    return Data->on_pre_key_event(Data, browser, &Event, nullptr, isShortcut);
  }

  RefPtr<TTestKeyboardHandler> Handler;
  cef_keyboard_handler_t* Data = nullptr;
  cef_key_event_t Event{};
};

TEST_F(CefOwnCallback, ConvertsArgumentsAndWritesTheInOutTruthValueBack) {
  TFakeRuntimeObject<cef_browser_t> browser;
  int isShortcut = 5;
  EXPECT_EQ(PreKeyEvent(&browser.Struct, &isShortcut), 1);
  EXPECT_TRUE(Handler->SeenShortcut);
  EXPECT_EQ(isShortcut, 0);
  EXPECT_EQ(Handler->SeenEvent, &Event);

  Handler->Result = false;
  EXPECT_EQ(PreKeyEvent(&browser.Struct, &isShortcut), 0);
  EXPECT_EQ(isShortcut, 1);
}

TEST_F(CefOwnCallback, NullObjectArgumentReachesTheHandlerAsNil) {
  int isShortcut = 0;
  Handler->SeenBrowser = ICefBrowser::UnWrap(nullptr);
  PreKeyEvent(nullptr, &isShortcut);
  EXPECT_EQ(Handler->SeenBrowser, nullptr);
}

TEST_F(CefOwnCallback, ObjectArgumentIsAdoptedAndKeptAliveByAHandlerThatStoresIt) {
  TFakeRuntimeObject<cef_browser_t> browser;
  int isShortcut = 0;
  PreKeyEvent(&browser.Struct, &isShortcut);
  EXPECT_EQ(browser.AddRefs, 0);
  EXPECT_EQ(browser.Releases, 0);  // the handler still holds it
  Handler->SeenBrowser.reset();
  EXPECT_EQ(browser.Releases, 1);
}

TEST_F(CefOwnCallback, ExceptionStopsAtTheCallbackWithTheNeutralValueAndNoLeak) {
  TFakeRuntimeObject<cef_browser_t> browser;
  Handler->Throw = true;
  int isShortcut = 1;
  EXPECT_EQ(PreKeyEvent(&browser.Struct, &isShortcut), 0);
  EXPECT_EQ(isShortcut, 1);  // nothing written back
  Handler->SeenBrowser.reset();
  EXPECT_EQ(browser.Balance(), -1);  // the runtime's reference, given back exactly once
  EXPECT_EQ(Handler->RefCount(), 2);
}

}  // namespace
}  // namespace ceflib::test
