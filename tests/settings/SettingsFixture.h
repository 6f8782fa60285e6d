#pragma once
// A private APPDATA folder for one test, and raw access to the settings file in it.

#include "settings/SettingsFile.h"

#include "child_run.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class SettingsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    FAppData = kelpa::test::MakeTempDir(L"kelpa-settings-");
    FOldAppData = GetEnvironmentVariableText(L"APPDATA");
    SetEnvironmentVariableW(L"APPDATA", FAppData.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"APPDATA", FOldAppData.c_str());
    kelpa::test::RemoveTree(FAppData);
  }

  std::wstring IniPath() const { return FAppData + L"\\KelpaScreenSaver.INI"; }

  void WriteIni(const std::string& content) const { WriteFileBytes(IniPath(), content); }

  static void WriteFileBytes(const std::wstring& path, const std::string& content) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << content;
  }

  std::string ReadIni() const { return kelpa::test::ReadTextFile(IniPath()); }

  static std::wstring GetEnvironmentVariableText(const wchar_t* name) {
    wchar_t buffer[32768];
    DWORD n = GetEnvironmentVariableW(name, buffer, 32768);
    return std::wstring(buffer, n);
  }

  std::wstring FAppData;
  std::wstring FOldAppData;
};
