// Initialize and shutdown: the settings copy, the calls into the application object, the
// registrar and scheme handler factories, reference discipline and the leak report.

#include "journal_file.h"
#include "runtime_library.h"
#include "test_strings.h"
#include "test_app.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace standin_test;

// The settings record the way the program fills it: zeroed, sized, then its values.
struct TSettings {
  cef_settings_t record;
  std::wstring cache_path;
  std::wstring user_agent;

  explicit TSettings(std::wstring cache) : cache_path(std::move(cache)) {
    std::memset(&record, 0, sizeof record);
    record.size = sizeof record;
    record.single_process = 1;
    record.log_severity = LOGSEVERITY_DISABLE;
    record.cache_path = In(cache_path);
  }
};

class RuntimeLifecycle : public ::testing::Test {
 protected:
  RuntimeLifecycle() : FDir(kelpa::test::MakeTempDir(L"standin-life-")), FSettings(FDir + L"\\cache") {
    FApp.schemes.push_back({L"local", 1, 1, 0});
  }
  ~RuntimeLifecycle() override {
    if (FRunning) Shutdown();  // a failed check must not leave the runtime holding our objects
    kelpa::test::RemoveTree(FDir);
  }

  int Initialize() {
    cef_main_args_t args = {GetModuleHandleW(nullptr)};
    int result = CEF(cef_initialize)(&args, &FSettings.record, FApp.Hand(), nullptr);
    FRunning = result == 1;
    return result;
  }
  void Shutdown() {
    CEF(cef_shutdown)();
    FRunning = false;
  }

  std::vector<std::string> AppCallbacks() const {
    std::vector<std::string> names;
    for (const auto& entry : FJournal.Entries("app_callback")) names.push_back(entry.Field("name"));
    return names;
  }
  TJournalEntry Last(const std::string& keyword) const {
    auto entries = FJournal.Entries(keyword);
    return entries.empty() ? TJournalEntry{"<none>", {}, ""} : entries.back();
  }

  TJournalFile FJournal;
  std::wstring FDir;
  TSettings FSettings;
  TTestApp FApp;
  bool FRunning = false;
};

TEST_F(RuntimeLifecycle, InitializeJournalsEverySettingsFieldItWasGiven) {
  FSettings.user_agent = L"Agent";
  FSettings.record.user_agent = In(FSettings.user_agent);
  FSettings.record.background_color = 0xFF102030;
  FSettings.record.remote_debugging_port = 9222;
  ASSERT_EQ(Initialize(), 1);
  Shutdown();

  TJournalEntry init = Last("initialize");
  EXPECT_EQ(init.Field("size"), std::to_string(sizeof(cef_settings_t)));
  EXPECT_EQ(init.Field("single_process"), "1");
  EXPECT_EQ(init.Field("no_sandbox"), "0");
  EXPECT_EQ(init.Field("multi_threaded_message_loop"), "0");
  EXPECT_EQ(init.Field("log_severity"), "99");
  EXPECT_EQ(init.Field("cache_path.length"), std::to_string(FSettings.cache_path.size()));
  EXPECT_EQ(init.Field("user_agent"), "\"Agent\"");
  EXPECT_EQ(init.Field("user_agent.length"), "5");
  EXPECT_EQ(init.Field("background_color"), std::to_string(0xFF102030u));
  EXPECT_EQ(init.Field("remote_debugging_port"), "9222");
  for (const char* text : {"browser_subprocess_path", "user_data_path", "product_version", "locale", "log_file",
                           "javascript_flags", "resources_dir_path", "locales_dir_path", "accept_language_list"}) {
    EXPECT_EQ(init.Field(std::string(text) + ".length"), "0") << text;
    EXPECT_EQ(init.Field(text), "\"\"") << text;
  }
  for (const char* flag : {"windowless_rendering_enabled", "command_line_args_disabled", "persist_session_cookies",
                           "pack_loading_disabled", "uncaught_exception_stack_size", "context_safety_implementation",
                           "ignore_certificate_errors"}) {
    EXPECT_EQ(init.Field(flag), "0") << flag;
  }
  EXPECT_TRUE(init.Has("t"));
  EXPECT_EQ(init.Field("pid"), std::to_string(GetCurrentProcessId()));
}

TEST_F(RuntimeLifecycle, RelativeCachePathIsCreatedInTheCurrentFolder) {
  standin_test::Runtime();  // loaded from the program's folder before the folder changes
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(FDir.c_str()));
  TSettings relative(L"cache");
  cef_main_args_t args = {GetModuleHandleW(nullptr)};
  int result = CEF(cef_initialize)(&args, &relative.record, FApp.Hand(), nullptr);
  Shutdown();
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(result, 1);
  EXPECT_NE(GetFileAttributesW((FDir + L"\\cache").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  TJournalEntry init = Last("initialize");
  EXPECT_EQ(init.Field("cache_path"), "\"cache\"");
  EXPECT_EQ(init.Field("cache_path.length"), "5");
  EXPECT_EQ(Last("cache_folder").Field("exists"), "1");
}

TEST_F(RuntimeLifecycle, SettingsTextsAreCopiedAndQuotedOnOneLine) {
  FSettings.user_agent = std::wstring(L"a\"b\\c\nd\0e\x00E9\xD83D\xDE00", 12);
  FSettings.record.user_agent = In(FSettings.user_agent);
  ASSERT_EQ(Initialize(), 1);
  FSettings.user_agent.assign(FSettings.user_agent.size(), L'x');  // the runtime kept its own copy
  Shutdown();
  TJournalEntry init = Last("initialize");
  EXPECT_EQ(init.Field("user_agent"), "\"a\\\"b\\\\c\\nd\\u0000e\xC3\xA9\xF0\x9F\x98\x80\"");
  EXPECT_EQ(init.Field("user_agent.length"), "12");
  for (const auto& line : FJournal.Lines()) EXPECT_EQ(line.find('\r'), std::string::npos);
}

TEST_F(RuntimeLifecycle, InitializeAsksTheApplicationInTheRuntimesOrderAndGivesEveryReferenceBack) {
  TCounted<cef_browser_process_handler_t> browser_handler;
  TCounted<cef_render_process_handler_t> render_handler;
  FApp.browser_handler = &browser_handler;
  FApp.render_handler = &render_handler;
  ASSERT_EQ(Initialize(), 1);
  EXPECT_EQ(AppCallbacks(), (std::vector<std::string>{"on_before_command_line_processing", "get_resource_bundle_handler",
                                                      "on_register_custom_schemes", "get_browser_process_handler",
                                                      "get_render_process_handler"}));
  EXPECT_EQ(FApp.process_type, L"");
  EXPECT_EQ(FApp.command_line_read_only, 0);
  EXPECT_EQ(FApp.add_results, std::vector<int>{1});
  EXPECT_EQ(browser_handler.Outstanding(), 0);
  EXPECT_EQ(render_handler.Outstanding(), 0);
  EXPECT_EQ(FApp.Outstanding(), 1);  // the runtime keeps the application until shutdown
  Shutdown();
  EXPECT_EQ(FApp.Outstanding(), 0);
  EXPECT_FALSE(FApp.counted.over_released);
  EXPECT_FALSE(browser_handler.over_released);
  EXPECT_EQ(Last("leaks").Field("total"), "0");
}

TEST_F(RuntimeLifecycle, CustomSchemeIsJournalledAndParsedAsStandardWhileRunning) {
  ASSERT_EQ(Initialize(), 1);
  TJournalEntry scheme = Last("add_custom_scheme");
  EXPECT_EQ(scheme.Field("scheme"), "\"local\"");
  EXPECT_EQ(scheme.Field("is_standard"), "1");
  EXPECT_EQ(scheme.Field("is_local"), "1");
  EXPECT_EQ(scheme.Field("is_display_isolated"), "0");
  EXPECT_EQ(scheme.Field("result"), "1");

  cef_urlparts_t parts = {};
  cef_string_t url = In(L"local://z/tmp/x/");
  ASSERT_EQ(CEF(cef_parse_url)(&url, &parts), 1);
  EXPECT_EQ(std::wstring(parts.host.str, parts.host.length), L"z");
  EXPECT_EQ(std::wstring(parts.origin.str, parts.origin.length), L"local://z/");
  for (cef_string_t* s : {&parts.spec, &parts.scheme, &parts.host, &parts.origin, &parts.path})
    CEF(cef_string_utf16_clear)(s);
  Shutdown();

  ASSERT_EQ(CEF(cef_parse_url)(&url, &parts), 1);
  EXPECT_EQ(parts.host.length, 0u);  // without the registration it is an opaque scheme
  for (cef_string_t* s : {&parts.spec, &parts.scheme, &parts.path}) CEF(cef_string_utf16_clear)(s);
}

TEST_F(RuntimeLifecycle, ExecuteProcessInTheBrowserProcessReturnsMinusOneAndGivesTheAppBack) {
  cef_main_args_t args = {GetModuleHandleW(nullptr)};
  EXPECT_EQ(CEF(cef_execute_process)(&args, FApp.Hand(), nullptr), -1);
  EXPECT_EQ(FApp.Outstanding(), 0);
  EXPECT_EQ(FApp.command_line_calls + FApp.register_calls, 0);
  TJournalEntry entry = Last("execute_process");
  EXPECT_EQ(entry.Field("result"), "-1");
  EXPECT_EQ(entry.Field("process_type"), "\"\"");
}

TEST_F(RuntimeLifecycle, CommandLineHookChangesBecomeTheGlobalCommandLine) {
  FApp.switch_to_append = L"enable-test-switch";
  ASSERT_EQ(Initialize(), 1);
  cef_command_line_t* global = CEF(cef_command_line_get_global)();
  cef_string_t name = In(L"enable-test-switch");
  EXPECT_EQ(global->has_switch(global, &name), 1);
  EXPECT_EQ(global->is_read_only(global), 1);
  ReleaseRef(global);
  Shutdown();
  EXPECT_NE(Last("command_line").Field("text").find("--enable-test-switch"), std::string::npos);
  EXPECT_EQ(Last("leaks").Field("total"), "0");
}

TEST_F(RuntimeLifecycle, RegistrarKeptPastItsCallbackIsInertAndReportedAtShutdown) {
  FApp.keep_registrar = true;
  ASSERT_EQ(Initialize(), 1);
  ASSERT_NE(FApp.kept_registrar, nullptr);
  cef_string_t late = In(L"late");
  EXPECT_EQ(FApp.kept_registrar->add_custom_scheme(FApp.kept_registrar, &late, 1, 0, 0), 0);
  Shutdown();
  auto leaks = FJournal.Entries("leak");
  ASSERT_EQ(leaks.size(), 1u);
  EXPECT_EQ(leaks[0].Field("side"), "runtime");
  EXPECT_EQ(leaks[0].Field("kind"), "scheme_registrar");
  EXPECT_EQ(leaks[0].Field("count"), "1");
  EXPECT_EQ(Last("leaks").Field("total"), "1");
  EXPECT_EQ(ReleaseRef(FApp.kept_registrar), 1);
}

TEST_F(RuntimeLifecycle, CommandLineTheProgramNeverReleasedIsNamedAtShutdown) {
  ASSERT_EQ(Initialize(), 1);
  cef_command_line_t* leaked = CEF(cef_command_line_create)();
  Shutdown();
  auto leaks = FJournal.Entries("leak");
  ASSERT_EQ(leaks.size(), 1u);
  EXPECT_EQ(leaks[0].Field("kind"), "command_line");
  EXPECT_EQ(ReleaseRef(leaked), 1);
}

TEST_F(RuntimeLifecycle, FactoryIsHeldUntilReplacedClearedOrShutdown) {
  TCounted<cef_scheme_handler_factory_t> first, second, third;
  cef_string_t scheme = In(L"local"), domain = In(L"");
  EXPECT_EQ(CEF(cef_register_scheme_handler_factory)(&scheme, &domain, first.Hand()), 0);  // not running yet
  EXPECT_EQ(first.Outstanding(), 0);

  ASSERT_EQ(Initialize(), 1);
  EXPECT_EQ(CEF(cef_register_scheme_handler_factory)(&scheme, &domain, first.Hand()), 1);
  EXPECT_EQ(first.Outstanding(), 1);
  EXPECT_EQ(first.add_refs, 0);  // kept with the reference it was handed, none of its own
  EXPECT_EQ(CEF(cef_register_scheme_handler_factory)(&scheme, &domain, second.Hand()), 1);
  EXPECT_EQ(first.Outstanding(), 0);
  EXPECT_EQ(second.Outstanding(), 1);
  EXPECT_EQ(Last("register_scheme_handler_factory").Field("replaced"), "1");
  EXPECT_EQ(CEF(cef_clear_scheme_handler_factories)(), 1);
  EXPECT_EQ(second.Outstanding(), 0);
  EXPECT_EQ(CEF(cef_register_scheme_handler_factory)(&scheme, &domain, third.Hand()), 1);
  TJournalEntry entry = Last("register_scheme_handler_factory");
  EXPECT_EQ(entry.Field("scheme"), "\"local\"");
  EXPECT_EQ(entry.Field("domain"), "\"\"");
  EXPECT_EQ(entry.Field("result"), "1");
  Shutdown();
  EXPECT_EQ(third.Outstanding(), 0);
  for (auto* f : {&first, &second, &third}) EXPECT_FALSE(f->over_released);
  EXPECT_EQ(Last("leaks").Field("total"), "0");
}

TEST_F(RuntimeLifecycle, SecondInitializeIsRefusedAndGivesItsAppBack) {
  ASSERT_EQ(Initialize(), 1);
  TTestApp second;
  cef_main_args_t args = {GetModuleHandleW(nullptr)};
  EXPECT_EQ(CEF(cef_initialize)(&args, &FSettings.record, second.Hand(), nullptr), 0);
  EXPECT_EQ(second.Outstanding(), 0);
  EXPECT_EQ(second.command_line_calls, 0);
  Shutdown();
  EXPECT_EQ(Last("misuse").Field("what"), "initialize_twice");
}

TEST_F(RuntimeLifecycle, ShutdownWithoutInitializeOnlyJournalsTheMisuse) {
  Shutdown();
  EXPECT_EQ(Last("misuse").Field("what"), "shutdown_without_initialize");
  EXPECT_TRUE(FJournal.Entries("leaks").empty());
}

TEST_F(RuntimeLifecycle, WithoutTheVariableNothingIsWritten) {
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  ASSERT_EQ(Initialize(), 1);
  Shutdown();
  EXPECT_EQ(GetFileAttributesW(FJournal.Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
