#include "base/IniFile.h"

#include "base/Handle.h"

#include "child_run.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FFolder = kelpa::test::MakeTempDir(L"kelpa-ini-");
    FPath = FFolder + L"\\test.ini";
  }
  void TearDown() override {
    SetFileAttributesW(FPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    kelpa::test::RemoveTree(FFolder);
  }
  void WriteFile(const std::string& content) {
    std::ofstream out(std::filesystem::path(FPath), std::ios::binary);
    out << content;
  }
  std::string ReadBytes() {
    std::ifstream in(std::filesystem::path(FPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string ReadFile() { return kelpa::test::ReadTextFile(FPath); }

  std::wstring FFolder;
  std::wstring FPath;
};

}  // namespace

TEST_F(IniFileTest, ReadIntegerTakesDecimalAndBothHexadecimalForms) {
  WriteFile("[S]\r\nA=1500\r\nB=0x3E8\r\nC=$3E8\r\nD=-20\r\nE=0X10\r\n");
  TIniFile ini(FPath);
  EXPECT_EQ(ini.ReadInteger(L"S", L"A", 7), 1500);
  EXPECT_EQ(ini.ReadInteger(L"S", L"B", 7), 1000);
  EXPECT_EQ(ini.ReadInteger(L"S", L"C", 7), 1000);
  EXPECT_EQ(ini.ReadInteger(L"S", L"D", 7), -20);
  EXPECT_EQ(ini.ReadInteger(L"S", L"E", 7), 16);
}

TEST_F(IniFileTest, ReadIntegerGivesTheDefaultForMissingEmptyAndNonNumbers) {
  WriteFile("[S]\r\nA=abc\r\nB=\r\nC=12 apples\r\nD=99999999999\r\n");
  TIniFile ini(FPath);
  EXPECT_EQ(ini.ReadInteger(L"S", L"A", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"S", L"B", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"S", L"C", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"S", L"D", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"S", L"Missing", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"Other", L"A", 7), 7);
}

TEST_F(IniFileTest, MissingFileGivesDefaults) {
  TIniFile ini(FFolder + L"\\none.ini");
  EXPECT_EQ(ini.ReadInteger(L"S", L"A", 3), 3);
  EXPECT_EQ(ini.ReadString(L"S", L"A", L"dflt"), L"dflt");
}

TEST_F(IniFileTest, NamesMatchWithoutRegardToCase) {
  WriteFile("[config]\r\ndisplaydelay=900\r\n");
  EXPECT_EQ(TIniFile(FPath).ReadInteger(L"Config", L"DisplayDelay", 0), 900);
}

TEST_F(IniFileTest, ReadStringReturnsLongValuesWhole) {
  for (size_t length : {2046u, 2047u, 2048u, 5000u, 70000u}) {
    std::string value;
    for (size_t i = 0; i < length; ++i) value += static_cast<char>('a' + i % 26);
    WriteFile("[S]\r\nLong=" + value + "\r\nAfter=1\r\n");
    std::wstring read = TIniFile(FPath).ReadString(L"S", L"Long", L"");
    EXPECT_EQ(read.size(), length);
    EXPECT_EQ(read, std::wstring(value.begin(), value.end()));
  }
}

TEST_F(IniFileTest, WrittenValuesReadBack) {
  TIniFile ini(FPath);
  ini.WriteInteger(L"S", L"N", -1234);
  ini.WriteString(L"S", L"T", L"http://a.example/?q=1,http://b.example");
  std::wstring wide(6000, L'x');
  ini.WriteString(L"S", L"W", wide);
  EXPECT_EQ(ini.ReadInteger(L"S", L"N", 0), -1234);
  EXPECT_EQ(ini.ReadString(L"S", L"T", L""), L"http://a.example/?q=1,http://b.example");
  EXPECT_EQ(ini.ReadString(L"S", L"W", L""), wide);
  EXPECT_NE(ReadFile().find("N=-1234"), std::string::npos);
}

TEST_F(IniFileTest, TextWithQuotesOrBlanksAroundItReadsBackUnchanged) {
  TIniFile ini(FPath);
  for (const wchar_t* value : {L"'a.example,b.example'", L"\"a\"", L"\"'x'\"", L"  x  ", L"x  ", L"x\t", L"\tx", L"\"", L"'", L"\"\"",
                               L"'a,b',c", L"\"x", L"plain"}) {
    ini.WriteString(L"S", L"K", value);
    EXPECT_EQ(ini.ReadString(L"S", L"K", L"missing"), value);
  }
}

TEST_F(IniFileTest, PlainTextIsStoredAsItIs) {
  TIniFile(FPath).WriteString(L"S", L"K", L"'a,b',c");
  EXPECT_EQ(ReadFile(), "[S]\r\nK='a,b',c\r\n");
}

TEST_F(IniFileTest, NewFilesKeepEveryCharacterAndOldFilesTheirEncoding) {
  const std::wstring text = L"http://\u03B1.example/\u65E5\u672C?\U0001F600";
  TIniFile ini(FPath);
  ini.WriteString(L"S", L"K", text);
  EXPECT_EQ(ini.ReadString(L"S", L"K", L""), text);
  EXPECT_TRUE(ReadBytes().starts_with("\xFF\xFE"));

  WriteFile("[S]\r\nOld=1\r\n");
  ini.WriteString(L"S", L"New", L"2");
  EXPECT_EQ(ReadBytes(), "[S]\r\nOld=1\r\nNew=2\r\n");
}

TEST_F(IniFileTest, FailingWriteRaisesUnableToWriteWithThePath) {
  CreateDirectoryW(FPath.c_str(), nullptr);  // the file's place is taken by a folder
  TIniFile ini(FPath);
  try {
    ini.WriteInteger(L"S", L"N", 1);
    FAIL() << "nothing raised";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), L"Unable to write to " + FPath);
  }
  RemoveDirectoryW(FPath.c_str());
}

TEST_F(IniFileTest, FailingWriteKeepsWhatWasWrittenBefore) {
  TIniFile ini(FPath);
  ini.WriteString(L"S", L"First", L"kept");
  {
    // Another program holds the file open and lets nobody write it.
    TFileHandle lock(CreateFileW(FPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.valid());
    EXPECT_THROW(ini.WriteString(L"S", L"Second", L"lost"), EIniFileException);
  }
  EXPECT_EQ(ini.ReadString(L"S", L"First", L""), L"kept");
  EXPECT_EQ(ini.ReadString(L"S", L"Second", L"none"), L"none");
  EXPECT_EQ(ReadFile(), "[S]\r\nFirst=kept\r\n");
}
