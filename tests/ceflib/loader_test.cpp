// The loader against the stand-in runtime, loaded for real: each scenario runs in a child
// process (ceflib_loader_child), whose exit code, failed checks and runtime journal are read
// back here.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include <cef_capi.h>

#include "child_run.h"
#include "test_paths.h"

namespace ceflib::test {
namespace {

using kelpa::test::TJournal;
using kelpa::test::TJournalEvent;
using TScenarioRun = kelpa::test::TChildRun;

TScenarioRun RunChild(const std::wstring& arguments) {
  return kelpa::test::RunJournalledChild(L"ceflib_loader_child.exe", arguments);
}

// Each scenario runs once; several tests look at its outcome.
const TScenarioRun& Scenario(const std::wstring& arguments) {
  static std::map<std::wstring, TScenarioRun> runs;
  auto it = runs.find(arguments);
  if (it == runs.end()) it = runs.emplace(arguments, RunChild(arguments)).first;
  return it->second;
}

void ExpectCleanRun(const TScenarioRun& run) {
  EXPECT_EQ(run.ExitCode, 0u) << run.Report << "\njournal:\n" << run.Journal.Text();
}

const char* const SettingsTexts[] = {"browser_subprocess_path", "user_data_path", "user_agent", "product_version",
                                     "locale", "log_file", "javascript_flags", "resources_dir_path",
                                     "locales_dir_path", "accept_language_list"};

TEST(CefLoader, InitializeReceivesTheSettingsRecordOfTheDefaultsAndTheCachePath) {
  const TScenarioRun& run = Scenario(L"initialize");
  ExpectCleanRun(run);
  auto initialize = run.Journal.All("initialize");
  ASSERT_EQ(initialize.size(), 1u) << run.Journal.Text();
  const TJournalEvent& record = initialize[0];
  EXPECT_TRUE(record.Has("size", std::to_string(sizeof(cef_settings_t))));
  EXPECT_TRUE(record.Has("size", "336"));
  EXPECT_TRUE(record.Has("single_process", "1"));
  EXPECT_TRUE(record.Has("no_sandbox", "0"));
  EXPECT_TRUE(record.Has("log_severity", "99"));
  EXPECT_TRUE(record.Has("multi_threaded_message_loop", "0"));
  EXPECT_TRUE(record.Has("windowless_rendering_enabled", "0"));
  EXPECT_TRUE(record.Has("persist_session_cookies", "0"));
  EXPECT_TRUE(record.Has("remote_debugging_port", "0"));
  EXPECT_TRUE(record.Has("background_color", "0"));
  EXPECT_TRUE(record.Has("cache_path", "cache"));
  EXPECT_TRUE(record.Has("cache_path.length", "5"));
  for (const char* text : SettingsTexts) EXPECT_TRUE(record.Has(std::string(text) + ".length", "0")) << text;
  EXPECT_TRUE(record.Has("sandbox_info", "0x0"));
}

TEST(CefLoader, SecondLoadChangesNothing) {
  const TScenarioRun& run = Scenario(L"initialize");
  ExpectCleanRun(run);
  EXPECT_EQ(run.Journal.All("execute_process").size(), 1u);
  EXPECT_EQ(run.Journal.All("initialize").size(), 1u);
  EXPECT_TRUE(run.Journal.All("execute_process").at(0).Has("result", "-1"));
}

TEST(CefLoader, LocalSchemeIsDeclaredStandardLocalNotIsolatedWhileTheRuntimeStarts) {
  const TScenarioRun& run = Scenario(L"initialize");
  int scheme = run.Journal.IndexOf("add_custom_scheme", "scheme", "local");
  ASSERT_GE(scheme, 0) << run.Journal.Text();
  const TJournalEvent& added = run.Journal.Events()[scheme];
  EXPECT_TRUE(added.Has("is_standard", "1"));
  EXPECT_TRUE(added.Has("is_local", "1"));
  EXPECT_TRUE(added.Has("is_display_isolated", "0"));
  EXPECT_TRUE(added.Has("result", "1"));
  EXPECT_LT(run.Journal.IndexOf("initialize"), scheme);
  EXPECT_LT(scheme, run.Journal.IndexOf("initialized"));
}

TEST(CefLoader, HandlerGettersGiveNullWithoutHooks) {
  const TScenarioRun& run = Scenario(L"initialize");
  auto callbacks = run.Journal.All("app_callback");
  int getters = 0;
  for (const TJournalEvent& callback : callbacks) {
    if (callback.Fields.count("result")) {
      ++getters;
      EXPECT_TRUE(callback.Has("result", "null")) << callback.Fields.at("name");
    }
  }
  EXPECT_GT(getters, 0) << run.Journal.Text();
}

TEST(CefLoader, TeardownShutsTheRuntimeDownOnceWithNothingLeaked) {
  const TScenarioRun& run = Scenario(L"initialize");
  EXPECT_EQ(run.Journal.All("shutdown").size(), 1u) << run.Journal.Text();
  EXPECT_LT(run.Journal.IndexOf("register_scheme_handler_factory"), run.Journal.IndexOf("shutdown"));
  EXPECT_EQ(run.Journal.IndexOf("misuse"), -1) << run.Journal.Text();
  ASSERT_GE(run.Journal.IndexOf("leaks"), 0) << run.Journal.Text();
  EXPECT_TRUE(run.Journal.All("leaks").back().Has("total", "0")) << run.Journal.Text();
}

TEST(CefLoader, RegisteringAFactoryLoadsTheRuntimeFirst) {
  const TScenarioRun& run = Scenario(L"register-first");
  ExpectCleanRun(run);
  int initialized = run.Journal.IndexOf("initialized");
  int registered = run.Journal.IndexOf("register_scheme_handler_factory");
  ASSERT_GE(initialized, 0) << run.Journal.Text();
  ASSERT_GT(registered, initialized) << run.Journal.Text();
  const TJournalEvent& factory = run.Journal.Events()[registered];
  EXPECT_TRUE(factory.Has("scheme", "local"));
  EXPECT_TRUE(factory.Has("domain", ""));
  EXPECT_TRUE(factory.Has("factory", "object"));
  EXPECT_TRUE(factory.Has("result", "1"));
}

TEST(CefLoader, SubProcessReturnsFalseWithoutInitializeAndEndsWithoutShutdown) {
  const TScenarioRun& run = Scenario(L"subprocess --type=renderer");
  ExpectCleanRun(run);
  auto execute = run.Journal.All("execute_process");
  ASSERT_EQ(execute.size(), 1u) << run.Journal.Text();
  EXPECT_TRUE(execute[0].Has("process_type", "renderer"));
  EXPECT_TRUE(execute[0].Has("result", "0"));
  EXPECT_GE(run.Journal.IndexOf("add_custom_scheme", "scheme", "local"), 0) << run.Journal.Text();
  EXPECT_EQ(run.Journal.IndexOf("initialize"), -1);
  EXPECT_EQ(run.Journal.IndexOf("shutdown"), -1);
  EXPECT_EQ(run.Journal.IndexOf("misuse"), -1) << run.Journal.Text();
}

TEST(CefLoader, RuntimeLackingOneExportIsTheWrongVersion) {
  const TScenarioRun& run = Scenario(L"badversion");
  ExpectCleanRun(run);
  EXPECT_EQ(run.Journal.IndexOf("execute_process"), -1);
  EXPECT_EQ(run.Journal.IndexOf("initialize"), -1);
  EXPECT_EQ(run.Journal.IndexOf("shutdown"), -1);
}

TEST(CefLoader, MissingLibraryRaisesModuleNotFoundAndALaterCallLoadsAgain) {
  const TScenarioRun& run = Scenario(L"missing");
  ExpectCleanRun(run);
  EXPECT_EQ(run.Journal.All("initialize").size(), 1u) << run.Journal.Text();
}

TEST(CefLoader, UnloadShutsDownOnceAndLoopWorkOutsideALoadDoesNothing) {
  const TScenarioRun& run = Scenario(L"unload");
  ExpectCleanRun(run);
  EXPECT_EQ(run.Journal.All("shutdown").size(), 1u) << run.Journal.Text();
  EXPECT_EQ(run.Journal.IndexOf("misuse"), -1) << run.Journal.Text();
}

TEST(CefLoader, DivisionByZeroRaisesWhenNothingMasksIt) {
  // The control for the infinity checks of the scenarios above.
  const TScenarioRun& run = Scenario(L"unmasked-division");
  EXPECT_EQ(run.ExitCode, static_cast<DWORD>(STATUS_FLOAT_DIVIDE_BY_ZERO));
}

}  // namespace
}  // namespace ceflib::test
