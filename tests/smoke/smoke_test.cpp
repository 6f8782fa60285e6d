#include <gtest/gtest.h>
#include <windows.h>
#include "test_paths.h"
TEST(Smoke, ProgramIsBesideUs) {
  EXPECT_NE(GetFileAttributesW(kelpa::test::BinFile(L"KelpaScreenSaver.scr").c_str()), INVALID_FILE_ATTRIBUTES);
}
