#pragma once
// The fixture of the binding's surface tests: the stand-in runtime's string functions, and a
// leak check after every test. Every caller-freed string a fake handed out was freed, every
// runtime list allocated was freed, and no object we made for the runtime is still alive.
// (The fakes check their own references when they die, before TearDown.)

#include <gtest/gtest.h>

#include "ceflib/cef_base.h"
#include "recording_fake.h"
#include "standin_strings.h"

namespace ceflib::test {

class CefSurface : public ::testing::Test {
 protected:
  void SetUp() override {
    Strings = &UseStandInStrings();
    UserFreeAllocs = 0;
    BlocksBefore = TCefBaseOwn::LiveBlocks();
  }
  void TearDown() override {
    EXPECT_EQ(Strings->UserFreeFrees, UserFreeAllocs) << "caller-freed strings not freed exactly once";
    EXPECT_EQ(Strings->ListAllocs, Strings->ListFrees) << "runtime lists not freed";
    EXPECT_EQ(TCefBaseOwn::LiveBlocks(), BlocksBefore) << "objects handed to the runtime still alive";
  }

  TStringCallCounts* Strings = nullptr;
  int32_t BlocksBefore = 0;
};

// A runtime text list holding texts, for stubs that fill or read lists.
inline void AppendTo(cef_string_list_t list, const std::vector<std::wstring>& texts) {
  for (const std::wstring& text : texts) {
    cef_string_t view{const_cast<wchar_t*>(text.c_str()), text.size(), nullptr};
    cef_string_list_append(list, &view);
  }
}

inline std::vector<std::wstring> TextsOf(cef_string_list_t list) {
  std::vector<std::wstring> texts;
  for (int i = 0, n = cef_string_list_size(list); i < n; ++i) {
    cef_string_t value{};
    cef_string_list_value(list, i, &value);
    texts.emplace_back(value.str ? std::wstring(value.str, value.length) : std::wstring());
    cef_string_utf16_clear(&value);
  }
  return texts;
}

}  // namespace ceflib::test
