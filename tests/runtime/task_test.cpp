// Tasks on the runtime's threads: UI work runs inside cef_do_message_loop_work on the thread
// that initialized the runtime; IO work runs on the runtime's own IO thread.

#include "journal_file.h"
#include "runtime_library.h"
#include "test_app.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace standin_test;

struct TTestTask {
  TCounted<cef_task_t> counted;  // first
  std::atomic<int> runs{0};
  std::atomic<DWORD> thread{0};
  std::atomic<int> on_ui{-1};
  std::atomic<int> on_io{-1};
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  TTestTask* then_post = nullptr;  // posted to the UI thread from inside this task

  TTestTask() { counted.data.execute = &Execute; }
  ~TTestTask() { CloseHandle(done); }
  cef_task_t* Hand() { return counted.Hand(); }

  static void CEF_CALLBACK Execute(cef_task_t* self) {
    auto* task = reinterpret_cast<TTestTask*>(self);
    task->thread = GetCurrentThreadId();
    task->on_ui = CEF(cef_currently_on)(TID_UI);
    task->on_io = CEF(cef_currently_on)(TID_IO);
    if (task->then_post) CEF(cef_post_task)(TID_UI, task->then_post->Hand());
    ++task->runs;
    SetEvent(task->done);
  }
};

class RuntimeTasks : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = kelpa::test::MakeTempDir(L"standin-task-");
    std::memset(&FSettings, 0, sizeof FSettings);
    FSettings.size = sizeof FSettings;
    FSettings.single_process = 1;
    cef_main_args_t args = {GetModuleHandleW(nullptr)};
    ASSERT_EQ(CEF(cef_initialize)(&args, &FSettings, FApp.Hand(), nullptr), 1);
  }
  void TearDown() override {
    CEF(cef_shutdown)();
    kelpa::test::RemoveTree(FDir);
  }

  // Shuts the runtime down and starts it again with another application object.
  void Restart(int single_process) {
    CEF(cef_shutdown)();
    FSettings.single_process = single_process;
    cef_main_args_t args = {GetModuleHandleW(nullptr)};
    ASSERT_EQ(CEF(cef_initialize)(&args, &FSettings, FSecondApp.Hand(), nullptr), 1);
  }

  std::wstring FDir;
  cef_settings_t FSettings;
  TTestApp FApp;
  TTestApp FSecondApp;
};

TEST(RuntimeTasksOutsideARun, PostingBeforeInitializeIsRefusedAndGivesTheTaskBack) {
  TTestTask task;
  EXPECT_EQ(CEF(cef_post_task)(TID_UI, task.Hand()), 0);
  EXPECT_EQ(CEF(cef_post_task)(TID_IO, task.Hand()), 0);
  EXPECT_EQ(task.counted.Outstanding(), 0);
  EXPECT_EQ(task.runs, 0);
  EXPECT_EQ(CEF(cef_currently_on)(TID_UI), 0);
}

TEST_F(RuntimeTasks, UiTaskRunsOnlyInsideMessageLoopWorkOnTheCallingThread) {
  TTestTask task;
  EXPECT_EQ(CEF(cef_currently_on)(TID_UI), 1);
  ASSERT_EQ(CEF(cef_post_task)(TID_UI, task.Hand()), 1);
  EXPECT_EQ(task.runs, 0);
  CEF(cef_do_message_loop_work)();
  EXPECT_EQ(task.runs, 1);
  EXPECT_EQ(task.thread, GetCurrentThreadId());
  EXPECT_EQ(task.on_ui, 1);
  EXPECT_EQ(task.on_io, 0);
  EXPECT_EQ(task.counted.Outstanding(), 0);
  CEF(cef_do_message_loop_work)();
  EXPECT_EQ(task.runs, 1);
}

TEST_F(RuntimeTasks, TaskPostedByATaskWaitsForTheNextLoopWork) {
  TTestTask first, second;
  first.then_post = &second;
  CEF(cef_post_task)(TID_UI, first.Hand());
  CEF(cef_do_message_loop_work)();
  EXPECT_EQ(first.runs, 1);
  EXPECT_EQ(second.runs, 0);
  CEF(cef_do_message_loop_work)();
  EXPECT_EQ(second.runs, 1);
  EXPECT_EQ(second.counted.Outstanding(), 0);
}

TEST_F(RuntimeTasks, UiTasksRunInPostingOrder) {
  std::vector<int> order;
  struct TOrdered {
    TCounted<cef_task_t> counted;
    std::vector<int>* order;
    int id;
    static void CEF_CALLBACK Execute(cef_task_t* self) {
      auto* t = reinterpret_cast<TOrdered*>(self);
      t->order->push_back(t->id);
    }
  };
  TOrdered a, b, c;
  for (auto [task, id] : {std::pair{&a, 1}, std::pair{&b, 2}, std::pair{&c, 3}}) {
    task->counted.data.execute = &TOrdered::Execute;
    task->order = &order;
    task->id = id;
    CEF(cef_post_task)(TID_UI, task->counted.Hand());
  }
  CEF(cef_do_message_loop_work)();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(RuntimeTasks, IoTaskRunsOnTheRuntimesIoThread) {
  TTestTask task;
  ASSERT_EQ(CEF(cef_post_task)(TID_IO, task.Hand()), 1);
  ASSERT_EQ(WaitForSingleObject(task.done, 10000), WAIT_OBJECT_0);
  EXPECT_NE(task.thread, GetCurrentThreadId());
  EXPECT_EQ(task.on_io, 1);
  EXPECT_EQ(task.on_ui, 0);
  Restart(1);  // the shutdown joins the IO thread, after which the task's reference is back
  EXPECT_EQ(task.counted.Outstanding(), 0);
}

TEST_F(RuntimeTasks, TaskNotYetDueIsReleasedUnrunAtShutdown) {
  TTestTask ui, io;
  ASSERT_EQ(CEF(cef_post_delayed_task)(TID_UI, ui.Hand(), 600000), 1);
  ASSERT_EQ(CEF(cef_post_delayed_task)(TID_IO, io.Hand(), 600000), 1);
  CEF(cef_do_message_loop_work)();
  EXPECT_EQ(ui.counted.Outstanding(), 1);
  Restart(1);
  EXPECT_EQ(ui.runs + io.runs, 0);
  EXPECT_EQ(ui.counted.Outstanding(), 0);
  EXPECT_EQ(io.counted.Outstanding(), 0);
}

TEST_F(RuntimeTasks, OtherThreadsAreNotTheUiThreadAndCannotRunItsWork) {
  TTestTask task;
  CEF(cef_post_task)(TID_UI, task.Hand());
  int on_ui = -1;
  std::thread other([&] {
    on_ui = CEF(cef_currently_on)(TID_UI);
    CEF(cef_do_message_loop_work)();
  });
  other.join();
  EXPECT_EQ(on_ui, 0);
  EXPECT_EQ(task.runs, 0);
  CEF(cef_do_message_loop_work)();
  EXPECT_EQ(task.runs, 1);
}

TEST_F(RuntimeTasks, RendererThreadExistsOnlyInSingleProcessMode) {
  TTestTask task;
  ASSERT_EQ(CEF(cef_post_task)(TID_RENDERER, task.Hand()), 1);
  ASSERT_EQ(WaitForSingleObject(task.done, 10000), WAIT_OBJECT_0);
  Restart(0);
  TTestTask refused;
  EXPECT_EQ(CEF(cef_post_task)(TID_RENDERER, refused.Hand()), 0);
  EXPECT_EQ(refused.counted.Outstanding(), 0);
}

}  // namespace
