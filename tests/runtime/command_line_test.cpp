// The command line object: parsing, switches, arguments, text form, copies, read-only use.

#include "runtime_library.h"
#include "test_strings.h"
#include "test_objects.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

using namespace standin_test;

using standin_test::ReleaseRef;

std::vector<std::wstring> ReadList(cef_string_list_t list) {
  std::vector<std::wstring> items;
  for (int i = 0; i < CEF(cef_string_list_size)(list); ++i) {
    cef_string_t s = {};
    CEF(cef_string_list_value)(list, i, &s);
    items.emplace_back(s.str ? s.str : L"", s.length);
    CEF(cef_string_utf16_clear)(&s);
  }
  return items;
}

class RuntimeCommandLine : public ::testing::Test {
 protected:
  void SetUp() override { FLine = CEF(cef_command_line_create)(); }
  void TearDown() override { EXPECT_EQ(ReleaseRef(FLine), 1); }

  void Init(const std::wstring& text) {
    cef_string_t in = In(text);
    FLine->init_from_string(FLine, &in);
  }
  std::wstring Switch(const std::wstring& name) {
    cef_string_t in = In(name);
    return TakeUserFree(FLine->get_switch_value(FLine, &in));
  }

  cef_command_line_t* FLine = nullptr;
};

TEST_F(RuntimeCommandLine, NewCommandLineIsValidWritableAndEmpty) {
  EXPECT_EQ(FLine->is_valid(FLine), 1);
  EXPECT_EQ(FLine->is_read_only(FLine), 0);
  EXPECT_EQ(FLine->has_switches(FLine), 0);
  EXPECT_EQ(FLine->has_arguments(FLine), 0);
  EXPECT_EQ(TakeUserFree(FLine->get_program(FLine)), L"<null>");
  EXPECT_EQ(FLine->base.has_one_ref(&FLine->base), 1);
}

TEST_F(RuntimeCommandLine, ParsesProgramSwitchesAndQuotedArguments) {
  Init(L"\"C:\\Program Files\\saver.exe\" --Type=renderer -single /S \"two words\" plain");
  EXPECT_EQ(TakeUserFree(FLine->get_program(FLine)), L"C:\\Program Files\\saver.exe");
  EXPECT_EQ(Switch(L"type"), L"renderer");
  EXPECT_EQ(Switch(L"TYPE"), L"renderer");
  cef_string_t single = In(L"single"), s = In(L"s"), absent = In(L"absent");
  EXPECT_EQ(FLine->has_switch(FLine, &single), 1);
  EXPECT_EQ(FLine->has_switch(FLine, &s), 1);
  EXPECT_EQ(FLine->has_switch(FLine, &absent), 0);
  EXPECT_EQ(Switch(L"single"), L"<null>");  // present, but without a value

  cef_string_list_t args = CEF(cef_string_list_alloc)();
  FLine->get_arguments(FLine, args);
  EXPECT_EQ(ReadList(args), (std::vector<std::wstring>{L"two words", L"plain"}));
  CEF(cef_string_list_free)(args);
}

TEST_F(RuntimeCommandLine, DoubleDashEndsTheSwitches) {
  Init(L"prog --a -- --not-a-switch");
  cef_string_t name = In(L"not-a-switch");
  EXPECT_EQ(FLine->has_switch(FLine, &name), 0);
  cef_string_list_t args = CEF(cef_string_list_alloc)();
  FLine->get_arguments(FLine, args);
  EXPECT_EQ(ReadList(args), std::vector<std::wstring>{L"--not-a-switch"});
  CEF(cef_string_list_free)(args);
}

TEST_F(RuntimeCommandLine, TextFormParsesBackToTheSameCommandLine) {
  cef_string_t program = In(L"C:\\a b\\p.exe"), name = In(L"cache-path"), value = In(L"c:\\x y\\\"q\""),
               flag = In(L"flag"), arg = In(L"-dash arg");
  FLine->set_program(FLine, &program);
  FLine->append_switch_with_value(FLine, &name, &value);
  FLine->append_switch(FLine, &flag);
  FLine->append_argument(FLine, &arg);
  std::wstring text = TakeUserFree(FLine->get_command_line_string(FLine));

  cef_command_line_t* again = CEF(cef_command_line_create)();
  cef_string_t in = In(text);
  again->init_from_string(again, &in);
  EXPECT_EQ(TakeUserFree(again->get_command_line_string(again)), text);
  EXPECT_EQ(TakeUserFree(again->get_switch_value(again, &name)), L"c:\\x y\\\"q\"");
  cef_string_list_t args = CEF(cef_string_list_alloc)();
  again->get_arguments(again, args);
  EXPECT_EQ(ReadList(args), std::vector<std::wstring>{L"-dash arg"});
  CEF(cef_string_list_free)(args);
  EXPECT_EQ(ReleaseRef(again), 1);
}

TEST_F(RuntimeCommandLine, ArgvAndSwitchMapListEverySwitchInOrder) {
  Init(L"p.exe --b=2 --a arg");
  cef_string_list_t argv = CEF(cef_string_list_alloc)();
  FLine->get_argv(FLine, argv);
  EXPECT_EQ(ReadList(argv), (std::vector<std::wstring>{L"p.exe", L"--b=2", L"--a", L"arg"}));
  CEF(cef_string_list_free)(argv);

  cef_string_map_t map = CEF(cef_string_map_alloc)();
  FLine->get_switches(FLine, map);
  ASSERT_EQ(CEF(cef_string_map_size)(map), 2);
  cef_string_t key = {}, value = {};
  CEF(cef_string_map_key)(map, 0, &key);
  CEF(cef_string_map_value)(map, 0, &value);
  EXPECT_EQ(std::wstring(key.str, key.length), L"b");
  EXPECT_EQ(std::wstring(value.str, value.length), L"2");
  CEF(cef_string_utf16_clear)(&key);
  CEF(cef_string_utf16_clear)(&value);
  CEF(cef_string_map_free)(map);
}

TEST_F(RuntimeCommandLine, CopyIsWritableAndIndependent) {
  Init(L"p.exe --x=1");
  cef_command_line_t* copy = FLine->copy(FLine);
  cef_string_t y = In(L"y");
  copy->append_switch(copy, &y);
  EXPECT_EQ(copy->has_switch(copy, &y), 1);
  EXPECT_EQ(FLine->has_switch(FLine, &y), 0);
  cef_string_t x = In(L"x");
  EXPECT_EQ(TakeUserFree(copy->get_switch_value(copy, &x)), L"1");
  EXPECT_EQ(ReleaseRef(copy), 1);
}

TEST_F(RuntimeCommandLine, WrapperGoesInFrontOfTheProgram) {
  Init(L"p.exe --x");
  cef_string_t wrapper = In(L"gdb --args");
  FLine->prepend_wrapper(FLine, &wrapper);
  EXPECT_EQ(TakeUserFree(FLine->get_command_line_string(FLine)), L"gdb --args p.exe --x");
  EXPECT_EQ(TakeUserFree(FLine->get_program(FLine)), L"gdb");
}

TEST_F(RuntimeCommandLine, ResetEmptiesEverything) {
  Init(L"p.exe --x a");
  FLine->reset(FLine);
  EXPECT_EQ(FLine->has_switches(FLine), 0);
  EXPECT_EQ(FLine->has_arguments(FLine), 0);
  EXPECT_EQ(TakeUserFree(FLine->get_command_line_string(FLine)), L"<null>");
}

TEST(RuntimeGlobalCommandLine, IsThisProcesssOwnAndReadOnly) {
  cef_command_line_t* global = CEF(cef_command_line_get_global)();
  ASSERT_NE(global, nullptr);
  EXPECT_EQ(global->is_read_only(global), 1);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  ASSERT_GE(argc, 1);
  EXPECT_EQ(TakeUserFree(global->get_program(global)), argv[0]);
  LocalFree(argv);
  cef_string_t added = In(L"added-by-test");
  global->append_switch(global, &added);
  EXPECT_EQ(global->has_switch(global, &added), 0);
  ReleaseRef(global);
}

}  // namespace
