#include "base/IniFile.h"
#include "settings/ConfigForm.h"
#include "settings/SettingsFile.h"

#include "SettingsFixture.h"

namespace {

class SettingsStoreTest : public SettingsFixture {
 protected:
  TConfigForm& Loaded() {
    FForm.LoadSettings();
    return FForm;
  }
  TConfigForm FForm;
};

}  // namespace

TEST_F(SettingsStoreTest, FileNameIsInTheApplicationDataFolder) {
  EXPECT_EQ(SettingsFileName(), FAppData + L"\\KelpaScreenSaver.INI");
  SetEnvironmentVariableW(L"APPDATA", (FAppData + L"\\").c_str());
  EXPECT_EQ(SettingsFileName(), FAppData + L"\\KelpaScreenSaver.INI");
}

TEST_F(SettingsStoreTest, FileNameIsBareWithoutApplicationDataFolder) {
  SetEnvironmentVariableW(L"APPDATA", nullptr);
  EXPECT_EQ(SettingsFileName(), L"KelpaScreenSaver.INI");
  SetEnvironmentVariableW(L"APPDATA", L"");
  EXPECT_EQ(SettingsFileName(), L"KelpaScreenSaver.INI");
}

TEST_F(SettingsStoreTest, MissingFileGivesTheDefaults) {
  TConfigForm& form = Loaded();
  EXPECT_EQ(form.DisplayDelay.Value(), 2000);
  EXPECT_EQ(form.RotateDelay.Value(), 5000);
  for (TEdit* edit : {&form.URL1, &form.URL2, &form.URL3, &form.URL4, &form.URL5}) EXPECT_EQ(edit->Text(), L"");
}

TEST_F(SettingsStoreTest, MissingSectionOrKeysGiveTheDefaults) {
  WriteIni("[Other]\r\nDisplayDelay=3000\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 2000);
  WriteIni("[Config]\r\nRotateDelay=6000\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 2000);
  EXPECT_EQ(FForm.RotateDelay.Value(), 6000);
}

TEST_F(SettingsStoreTest, ValuesInRangeAreTakenAsTheyAre) {
  WriteIni("[Config]\r\nDisplayDelay=750\r\nRotateDelay=60000\r\nScreenURL1=a.example,b.example\r\nScreenURL5=e.example\r\n");
  TConfigForm& form = Loaded();
  EXPECT_EQ(form.DisplayDelay.Value(), 750);
  EXPECT_EQ(form.RotateDelay.Value(), 60000);
  EXPECT_EQ(form.URL1.Text(), L"a.example,b.example");
  EXPECT_EQ(form.URL5.Text(), L"e.example");
  EXPECT_EQ(form.URL3.Text(), L"");
}

TEST_F(SettingsStoreTest, NumbersOutOfRangeAreClamped) {
  WriteIni("[Config]\r\nDisplayDelay=100\r\nRotateDelay=100000\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 500);
  EXPECT_EQ(FForm.RotateDelay.Value(), 90000);
  WriteIni("[Config]\r\nDisplayDelay=20000\r\nRotateDelay=-5\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 10000);
  EXPECT_EQ(FForm.RotateDelay.Value(), 5000);
}

TEST_F(SettingsStoreTest, NonNumbersGiveTheDefaults) {
  WriteIni("[Config]\r\nDisplayDelay=abc\r\nRotateDelay=12s\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 2000);
  EXPECT_EQ(FForm.RotateDelay.Value(), 5000);
}

TEST_F(SettingsStoreTest, HexadecimalNumbersAreRead) {
  WriteIni("[Config]\r\nDisplayDelay=0x3E8\r\nRotateDelay=$1D4C0\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 1000);
  EXPECT_EQ(FForm.RotateDelay.Value(), 90000);
  WriteIni("[Config]\r\nDisplayDelay=$3E8\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 1000);
}

TEST_F(SettingsStoreTest, KeyAndSectionNamesIgnoreCase) {
  WriteIni("[CONFIG]\r\ndisplaydelay=900\r\nSCREENURL2=x.example\r\n");
  EXPECT_EQ(Loaded().DisplayDelay.Value(), 900);
  EXPECT_EQ(FForm.URL2.Text(), L"x.example");
}

TEST_F(SettingsStoreTest, LongURLSettingIsReadBackWhole) {
  std::string url;
  while (url.size() < 5000) url += "http://host" + std::to_string(url.size()) + ".example/path,";
  url.resize(5000);
  WriteIni("[Config]\r\nScreenURL1=" + url + "\r\nScreenURL2=after\r\n");
  TConfigForm& form = Loaded();
  EXPECT_EQ(form.URL1.Text(), std::wstring(url.begin(), url.end()));
  EXPECT_EQ(form.URL2.Text(), L"after");
}

TEST_F(SettingsStoreTest, SaveWritesEverySettingAndLoadReadsItBack) {
  FForm.DisplayDelay.SetValue(1500);
  FForm.RotateDelay.SetValue(30000);
  FForm.URL1.SetText(L"a.example");
  FForm.URL2.SetText(L"'b,c',d");
  FForm.URL3.SetText(L"'c.example,d.example'");  // one quoted entry: the quotes must survive
  FForm.URL4.SetText(std::wstring(5000, L'w'));
  FForm.URL5.SetText(L"e.example  ");  // blanks at one end only
  FForm.SaveSettings();
  TConfigForm reloaded;
  reloaded.LoadSettings();
  EXPECT_EQ(reloaded.DisplayDelay.Value(), 1500);
  EXPECT_EQ(reloaded.RotateDelay.Value(), 30000);
  EXPECT_EQ(reloaded.URL1.Text(), L"a.example");
  EXPECT_EQ(reloaded.URL2.Text(), L"'b,c',d");
  EXPECT_EQ(reloaded.URL3.Text(), L"'c.example,d.example'");
  EXPECT_EQ(reloaded.URL4.Text(), std::wstring(5000, L'w'));
  EXPECT_EQ(reloaded.URL5.Text(), L"e.example  ");
}

TEST_F(SettingsStoreTest, SaveWritesDecimalWhateverTheFileHad) {
  WriteIni("[Config]\r\nDisplayDelay=0x3E8\r\nRotateDelay=$1388\r\n");
  Loaded().SaveSettings();
  std::string file = ReadIni();
  EXPECT_NE(file.find("DisplayDelay=1000\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("RotateDelay=5000\r\n"), std::string::npos) << file;
  EXPECT_EQ(file.find("0x"), std::string::npos);
  EXPECT_EQ(file.find('$'), std::string::npos);
}

TEST_F(SettingsStoreTest, SaveWritesEvenWhenNothingChanged) {
  Loaded().SaveSettings();
  std::string file = ReadIni();
  EXPECT_NE(file.find("[Config]"), std::string::npos);
  EXPECT_NE(file.find("DisplayDelay=2000"), std::string::npos);
  EXPECT_NE(file.find("RotateDelay=5000"), std::string::npos);
  EXPECT_NE(file.find("ScreenURL5="), std::string::npos);
}

TEST_F(SettingsStoreTest, SaveWritesTheMinimumForANonNumber) {
  FForm.DisplayDelay.SetText(L"abc");
  FForm.SaveSettings();
  EXPECT_NE(ReadIni().find("DisplayDelay=500\r\n"), std::string::npos);
}

TEST_F(SettingsStoreTest, TypedNumberIsSavedAsTypedAndClampedOnTheNextLoad) {
  FForm.DisplayDelay.SetText(L"99999");
  FForm.SaveSettings();
  EXPECT_NE(ReadIni().find("DisplayDelay=99999\r\n"), std::string::npos);
  TConfigForm reloaded;
  reloaded.LoadSettings();
  EXPECT_EQ(reloaded.DisplayDelay.Value(), 10000);
}

TEST_F(SettingsStoreTest, UnwritableFileRaisesUnableToWriteWithItsPath) {
  ASSERT_TRUE(CreateDirectoryW(IniPath().c_str(), nullptr));  // a folder where the file belongs
  try {
    FForm.SaveSettings();
    FAIL() << "nothing raised";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), L"Unable to write to " + IniPath());
  }
}

TEST_F(SettingsStoreTest, FailingSaveStopsAtTheFailingKeyAndKeepsTheFile) {
  WriteIni("[Config]\r\nDisplayDelay=700\r\nScreenURL1=old.example\r\n");
  FForm.DisplayDelay.SetValue(1500);
  FForm.URL1.SetText(L"new.example");
  HANDLE lock = CreateFileW(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_THROW(FForm.SaveSettings(), EIniFileException);
  CloseHandle(lock);
  EXPECT_EQ(ReadIni(), "[Config]\r\nDisplayDelay=700\r\nScreenURL1=old.example\r\n");
}

TEST_F(SettingsStoreTest, SaveWritesTheKeysInTheirOrder) {
  FForm.URL2.SetText(L"b.example");
  FForm.SaveSettings();
  EXPECT_EQ(ReadIni(),
            "[Config]\r\nDisplayDelay=2000\r\nRotateDelay=5000\r\nScreenURL1=\r\nScreenURL2=b.example\r\n"
            "ScreenURL3=\r\nScreenURL4=\r\nScreenURL5=\r\n");
}

namespace {

// Another program locks the settings file the moment the save reads URL3, and lets it go if
// the save ever reads URL4: a save that goes on after a failed write then writes URL4.
HANDLE LockWhileSaving = INVALID_HANDLE_VALUE;
std::wstring LockedPath;
WNDPROC URL3Procedure = nullptr, URL4Procedure = nullptr;

LRESULT CALLBACK LockingURL3(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH && LockWhileSaving == INVALID_HANDLE_VALUE)
    LockWhileSaving = CreateFileW(LockedPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  return CallWindowProcW(URL3Procedure, window, message, wParam, lParam);
}

LRESULT CALLBACK UnlockingURL4(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH && LockWhileSaving != INVALID_HANDLE_VALUE) {
    CloseHandle(LockWhileSaving);
    LockWhileSaving = INVALID_HANDLE_VALUE;
  }
  return CallWindowProcW(URL4Procedure, window, message, wParam, lParam);
}

WNDPROC Subclass(TWinControl& control, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace

TEST_F(SettingsStoreTest, SaveStopsAtTheFirstFailingWriteKeepingTheKeysWrittenBefore) {
  LockedPath = IniPath();
  FForm.URL1.SetText(L"a.example");
  FForm.URL2.SetText(L"b.example");
  FForm.URL3.SetText(L"c.example");
  FForm.URL4.SetText(L"d.example");
  URL3Procedure = Subclass(FForm.URL3, LockingURL3);
  URL4Procedure = Subclass(FForm.URL4, UnlockingURL4);
  EXPECT_THROW(FForm.SaveSettings(), EIniFileException);
  Subclass(FForm.URL3, URL3Procedure);
  Subclass(FForm.URL4, URL4Procedure);
  ASSERT_NE(LockWhileSaving, INVALID_HANDLE_VALUE) << "the save never read URL3";
  CloseHandle(LockWhileSaving);
  LockWhileSaving = INVALID_HANDLE_VALUE;
  EXPECT_EQ(ReadIni(),
            "[Config]\r\nDisplayDelay=2000\r\nRotateDelay=5000\r\nScreenURL1=a.example\r\n"
            "ScreenURL2=b.example\r\n");
}
