#include "settings/ConfigForm.h"
#include "toolkit/Application.h"
#include "toolkit/SysUtils.h"

#include "MessageBoxWatcher.h"
#include "SettingsFixture.h"

#include <regex>
#include <sstream>
#include <vector>

namespace {

class ConfigButtonsTest : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    FForm.Show();
  }
  void TearDown() override {
    Application.ProcessMessages();
    if (Application.Terminated()) Application.Run();  // ends at once, using the request up
    SettingsFixture::TearDown();
  }

  TConfigForm FForm;
};

}  // namespace

TEST_F(ConfigButtonsTest, OkSavesTheControlsAndEndsTheProgram) {
  FForm.RotateDelay.SetValue(7000);
  FForm.URL4.SetText(L"d.example");
  FForm.BitBtn2.Perform(BM_CLICK);
  std::string file = ReadIni();
  EXPECT_NE(file.find("RotateDelay=7000\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("ScreenURL4=d.example\r\n"), std::string::npos) << file;
  EXPECT_FALSE(FForm.Visible());
  EXPECT_TRUE(Application.Terminated());
}

TEST_F(ConfigButtonsTest, FailedSaveIsShownAndTheDialogStaysOpen) {
  ASSERT_TRUE(CreateDirectoryW(IniPath().c_str(), nullptr));  // a folder where the file belongs
  TMessageBoxWatcher watcher(GetCurrentThreadId());
  FForm.BitBtn2.Perform(BM_CLICK);
  TSeenMessageBox seen = watcher.Seen();
  EXPECT_EQ(seen.Text, L"Unable to write to " + IniPath());
  EXPECT_TRUE(FForm.Visible());
  EXPECT_FALSE(Application.Terminated());
}

TEST_F(ConfigButtonsTest, CancelWritesNothingAndEndsTheProgram) {
  FForm.URL1.SetText(L"changed.example");
  FForm.BitBtn3.Perform(BM_CLICK);
  EXPECT_EQ(GetFileAttributesW(IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Application.Terminated());
}

TEST_F(ConfigButtonsTest, HelpShowsFiveLinesWithThreeExampleHosts) {
  TMessageBoxWatcher watcher(GetCurrentThreadId());
  FForm.BitBtn5.Perform(BM_CLICK);
  TSeenMessageBox seen = watcher.Seen();
  EXPECT_EQ(seen.Text, ConfigHelpText);
  std::vector<std::wstring> lines;
  std::wstringstream text(seen.Text);
  for (std::wstring line; std::getline(text, line, L'\n');) lines.push_back(line);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], L"Each 'Screen URL' can include a comma-separated list of URLs.");
  EXPECT_EQ(lines[1], L"");
  EXPECT_TRUE(std::regex_match(lines[2], std::wregex(LR"(  Eg:  [a-z0-9.-]+\.[a-z]+, [a-z0-9.-]+\.[a-z]+, [a-z0-9.-]+\.[a-z]+)")))
      << WideToUtf8(lines[2]);
  EXPECT_EQ(lines[3], L"");
  EXPECT_EQ(lines[4], L"NOTE: The Start Delay applies to the loading of each page.");
  EXPECT_TRUE(FForm.Visible());
}
