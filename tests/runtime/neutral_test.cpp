// The exports the stand-in leaves neutral answer with nothing, still give back every object
// argument's reference, and journal that they were called; the time helpers are real.

#include "journal_file.h"
#include "runtime_library.h"
#include "test_objects.h"
#include "test_strings.h"

#include <gtest/gtest.h>

namespace {

using namespace standin_test;

TEST(RuntimeNeutralExports, RequestContextsAnswerNullAndGiveTheHandlerBack) {
  TJournalFile journal;
  TCounted<cef_request_context_handler_t> handler;
  cef_request_context_settings_t settings = {};
  settings.size = sizeof settings;
  EXPECT_EQ(CEF(cef_request_context_create_context)(&settings, handler.Hand()), nullptr);
  EXPECT_EQ(handler.Outstanding(), 0);
  auto neutral = journal.Entries("neutral");
  ASSERT_EQ(neutral.size(), 1u);
  EXPECT_EQ(neutral[0].Field("name"), "cef_request_context_create_context");
}

TEST(RuntimeNeutralExports, CallbacksHandedToNeutralExportsComeBackUncalled) {
  TCounted<cef_completion_callback_t> completion;
  TCounted<cef_command_line_t> command_line;
  cef_string_t path = In(L"trace");
  EXPECT_EQ(CEF(cef_begin_tracing)(&path, completion.Hand()), 0);
  EXPECT_EQ(CEF(cef_launch_process)(command_line.Hand()), 0);
  EXPECT_EQ(completion.Outstanding(), 0);
  EXPECT_EQ(command_line.Outstanding(), 0);
  EXPECT_FALSE(completion.over_released);
}

TEST(RuntimeNeutralExports, FactoriesOfUnimplementedObjectsGiveNull) {
  EXPECT_EQ(CEF(cef_post_data_create)(), nullptr);
  EXPECT_EQ(CEF(cef_request_context_get_global_context)(), nullptr);
  EXPECT_EQ(CEF(cef_resource_bundle_get_global)(), nullptr);
  EXPECT_EQ(CEF(cef_task_runner_get_for_current_thread)(), nullptr);
  EXPECT_EQ(CEF(cef_v8context_in_context)(), 0);
  cef_string_t path = {};
  EXPECT_EQ(CEF(cef_get_path)(PK_DIR_TEMP, &path), 0);
  EXPECT_EQ(path.str, nullptr);
}

TEST(RuntimeTime, ConvertsBetweenCalendarAndUnixTime) {
  cef_time_t t = {};
  ASSERT_EQ(CEF(cef_time_from_timet)(0, &t), 1);
  EXPECT_EQ(t.year, 1970);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day_of_month, 1);
  EXPECT_EQ(t.day_of_week, 4);  // a Thursday
  cef_time_t later = {2000, 1, 6, 1, 12, 30, 15, 250};
  double seconds = 0;
  ASSERT_EQ(CEF(cef_time_to_doublet)(&later, &seconds), 1);
  EXPECT_DOUBLE_EQ(seconds, 946729815.25);
  __time64_t whole = 0;
  ASSERT_EQ(CEF(cef_time_to_timet)(&later, &whole), 1);
  EXPECT_EQ(whole, 946729815);
  long long delta = 0;
  ASSERT_EQ(CEF(cef_time_delta)(&t, &later, &delta), 1);
  EXPECT_EQ(delta, 946729815250LL);
  cef_time_t invalid = {2000, 13, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(CEF(cef_time_to_doublet)(&invalid, &seconds), 0);
  cef_time_t now = {};
  EXPECT_EQ(CEF(cef_time_now)(&now), 1);
  EXPECT_GE(now.year, 2020);
}

TEST(RuntimeThreadIds, AreTheCallingThreadsId) {
  EXPECT_EQ(CEF(cef_get_current_platform_thread_id)(), GetCurrentThreadId());
  EXPECT_EQ(CEF(cef_get_current_platform_thread_handle)(), GetCurrentThreadId());
}

}  // namespace
