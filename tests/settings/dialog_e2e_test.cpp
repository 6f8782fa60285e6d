// The settings dialog of the real program, used as a person uses it: mouse
// clicks, typing, Tab, Enter and Escape on the virtual display. Controls are
// found and measured through the window tree, never by pixels.

#include "child_run.h"
#include "journal_reader.h"
#include "person.h"
#include "saver_process.h"
#include "test_paths.h"
#include "window_tree.h"

#include "base/SysUtils.h"
#include "cookie_file.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

using namespace kelpa::test;

namespace {

const std::string kStoredSettings =
    "[Config]\r\nDisplayDelay=1500\r\nRotateDelay=20000\r\nScreenURL1=a.example, b.example\r\n"
    "ScreenURL3=c.example\r\n";

// The visible message box of a process, with its text.
struct TBox {
  HWND Window = nullptr;
  std::wstring Title, Text;
};

TBox WaitForMessageBox(TSaverProcess& saver) {
  TBox box;
  box.Window = saver.WaitForMessageBox();
  if (box.Window) {
    box.Title = CaptionOf(box.Window);
    box.Text = ControlText(GetDlgItem(box.Window, 0xFFFF));
  }
  return box;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DialogEndToEnd : public ::testing::Test {
 protected:
  // Starts the program with no argument and waits for its dialog.
  HWND Open(const std::string& settings = kStoredSettings, const TSaverProcess::TPrepare& prepare = nullptr) {
    FSaver = std::make_unique<TSaverProcess>(L"", settings, prepare);
    HWND dialog = FSaver->WaitForWindow(kDialogCaption, true, kPatience);
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitUntilAnswering(dialog));
    return dialog;
  }
  std::wstring IniPath() const { return FSaver->Folder() + L"\\KelpaScreenSaver.INI"; }
  void ExpectEnds() {
    DWORD code = 99;
    ASSERT_TRUE(FSaver->WaitForExit(kPatience, code)) << "still running";
    EXPECT_EQ(code, 0u);
  }

  std::unique_ptr<TSaverProcess> FSaver;
};

}  // namespace

TEST_F(DialogEndToEnd, OpensWithTheStoredValuesLaidOutAsDesigned) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 524);
  EXPECT_EQ(client.bottom, 211);

  struct {
    int Left, Top, Width, Height;
    const wchar_t* Text;
  } edits[] = {{98, 6, 65, 22, L"1500"},     {451, 6, 65, 22, L"20000"},   {98, 35, 418, 21, L"a.example, b.example"},
               {98, 61, 418, 21, L""},       {98, 87, 418, 21, L"c.example"}, {98, 113, 418, 21, L""},
               {98, 138, 418, 21, L""}};
  std::vector<HWND> editWindows = ChildrenOfClass(dialog, L"Edit");
  ASSERT_EQ(editWindows.size(), std::size(edits));
  for (size_t i = 0; i < std::size(edits); ++i) {  // the window tree's order is the tab order
    RECT r = RectInParent(editWindows[i]);
    EXPECT_EQ(r.left, edits[i].Left) << i;
    EXPECT_EQ(r.top, edits[i].Top) << i;
    EXPECT_EQ(r.right - r.left, edits[i].Width) << i;
    EXPECT_EQ(r.bottom - r.top, edits[i].Height) << i;
    EXPECT_EQ(ControlText(editWindows[i]), edits[i].Text) << i;
  }

  struct {
    const wchar_t* Text;
    int Left, Top, Width, Height;
  } buttons[] = {{L"Help", 8, 165, 72, 40},   {L"Clear Cache", 90, 165, 100, 40}, {L"Preview", 200, 165, 80, 40},
                 {L"OK", 366, 165, 60, 40},   {L"Cancel", 436, 165, 80, 40}};
  std::vector<HWND> buttonWindows = ChildrenOfClass(dialog, L"Button");
  ASSERT_EQ(buttonWindows.size(), std::size(buttons));
  for (size_t i = 0; i < std::size(buttons); ++i) {
    EXPECT_EQ(ControlText(buttonWindows[i]), buttons[i].Text);
    RECT r = RectInParent(buttonWindows[i]);
    EXPECT_EQ(r.left, buttons[i].Left) << i;
    EXPECT_EQ(r.top, buttons[i].Top) << i;
    EXPECT_EQ(r.right - r.left, buttons[i].Width) << i;
    EXPECT_EQ(r.bottom - r.top, buttons[i].Height) << i;
  }

  // Labels fit their captions: the edge their alignment keeps is the designed
  // one, unless the font is so wide that the label would leave the dialog.
  struct {
    const wchar_t* Text;
    int Top, Edge;
    bool RightAligned;
  } labels[] = {{L"Start Delay", 10, 88, true},      {L"Milliseconds", 10, 169, false},
                {L"Rotate Delay", 10, 445, true},     {L"Screen 1 URL(s)", 39, 88, true},
                {L"Screen 2 URL(s)", 65, 88, true},   {L"Screen 3 URL(s)", 91, 88, true},
                {L"Screen 4 URL(s)", 117, 88, true},  {L"Screen 5 URL(s)", 143, 88, true}};
  for (const auto& label : labels) {
    HWND window = ChildWithText(dialog, label.Text);
    ASSERT_NE(window, nullptr);
    RECT r = RectInParent(window);
    EXPECT_EQ(r.top, label.Top);
    if (label.RightAligned)
      EXPECT_EQ(r.left, std::max(0L, label.Edge - (r.right - r.left))) << WideToUtf8(label.Text);
    else
      EXPECT_EQ(r.left, label.Edge) << WideToUtf8(label.Text);
  }

  EXPECT_EQ(FocusOf(dialog), editWindows[0]);  // the start delay
  PressKey("Tab");
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == editWindows[1]; }));
  PressKey("Escape");
  ExpectEnds();
}

TEST_F(DialogEndToEnd, CancelAfterEditingLeavesTheFileAsItWasAndEndsTheProgram) {
  for (const char* way : {"click", "Escape"}) {
    HWND dialog = Open(kStoredSettings + "; a comment that a rewrite would lose\r\n");
    ASSERT_NE(dialog, nullptr);
    const std::string before = ReadTextFile(IniPath());
    Retype(ScreenEdit(dialog, 1), "changed.example");
    PressKey("Tab");
    Type("another.example");
    if (std::string(way) == "click")
      ClickOn(ChildWithText(dialog, L"Cancel"));
    else
      PressKey("Escape");
    ExpectEnds();
    EXPECT_EQ(ReadTextFile(IniPath()), before) << way;
  }
}

TEST_F(DialogEndToEnd, OkWritesAllSevenKeys) {
  HWND dialog = Open("");
  ASSERT_NE(dialog, nullptr);
  Retype(SettingsEdit(dialog, TSettingsEdit::StartDelay), "2500");
  Retype(SettingsEdit(dialog, TSettingsEdit::RotateDelay), "30000");
  const char* addresses[] = {"one.example", "two.example,three.example", "four.example", "five.example", "six.example"};
  for (int i = 0; i < 5; ++i) Retype(ScreenEdit(dialog, i + 1), addresses[i]);
  ClickOn(ChildWithText(dialog, L"OK"));
  ExpectEnds();
  std::string file = ReadTextFile(IniPath());
  for (const char* line : {"[Config]\r\n", "DisplayDelay=2500\r\n", "RotateDelay=30000\r\n", "ScreenURL1=one.example\r\n",
                           "ScreenURL2=two.example,three.example\r\n", "ScreenURL3=four.example\r\n",
                           "ScreenURL4=five.example\r\n", "ScreenURL5=six.example\r\n"})
    EXPECT_NE(file.find(line), std::string::npos) << line << " in\n" << file;
}

// Clicking OK takes the focus from the box, which corrects the number into
// its range first; Enter leaves the focus where it is and saves what was typed.
TEST_F(DialogEndToEnd, OutOfRangeNumberIsSavedClampedByOkAndAsTypedByEnter) {
  for (const char* way : {"click", "Return"}) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Retype(SettingsEdit(dialog, TSettingsEdit::StartDelay), "99999");
    if (std::string(way) == "click")
      ClickOn(ChildWithText(dialog, L"OK"));
    else
      PressKey("Return");
    ExpectEnds();
    const char* expected = std::string(way) == "click" ? "DisplayDelay=10000\r\n" : "DisplayDelay=99999\r\n";
    EXPECT_NE(ReadTextFile(IniPath()).find(expected), std::string::npos) << way;
  }
}

// As root, which the tests run as here, a read-only attribute does not stop a
// write; another program holding the file without write sharing does.
TEST_F(DialogEndToEnd, UnwritableSettingsFileIsReportedAndTheDialogStaysOpen) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const std::string before = ReadTextFile(IniPath());
  ASSERT_TRUE(SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
  HANDLE lock = CreateFileW(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ClickOn(ChildWithText(dialog, L"OK"));
  TBox box = WaitForMessageBox(*FSaver);
  CloseHandle(lock);
  ASSERT_NE(box.Window, nullptr);
  EXPECT_EQ(box.Title, L"KelpaScreenSaver");
  EXPECT_EQ(box.Text, L"Unable to write to " + IniPath());
  PressKey("Return");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box.Window); }));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(FSaver->Running());
  PressKey("Escape");
  ExpectEnds();
  SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadTextFile(IniPath()), before);
}

TEST_F(DialogEndToEnd, HelpShowsTheHelpText) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ClickOn(ChildWithText(dialog, L"Help"));
  TBox box = WaitForMessageBox(*FSaver);
  ASSERT_NE(box.Window, nullptr);
  EXPECT_EQ(box.Title, L"KelpaScreenSaver");
  const std::wstring opening = L"Each 'Screen URL' can include a comma-separated list of URLs.\n\n  Eg:  ";
  EXPECT_EQ(box.Text.substr(0, opening.size()), opening);
  EXPECT_EQ(box.Text.substr(box.Text.rfind(L'\n')), L"\nNOTE: The Start Delay applies to the loading of each page.");
  PressKey("Return");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box.Window); }));
  EXPECT_TRUE(IsWindowVisible(dialog));
  PressKey("Escape");
  ExpectEnds();
}

// Addresses the monitors load, in the order the runtime started them.
std::vector<std::string> LoadsOf(const std::wstring& journal) {
  std::vector<std::string> urls;
  for (const TJournalEvent& event : TJournal(journal).All("load_start")) urls.push_back(event.Fields.at("url"));
  return urls;
}

TEST_F(DialogEndToEnd, PreviewShowsUnsavedListsReturnsOnEscapeAndStartsOverEachTime) {
  const std::wstring journalFolder = MakeTempDir(L"kelpa-journal-");
  const std::wstring journal = journalFolder + L"\\journal.txt";
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", journal.c_str());
  HWND dialog = Open("[Config]\r\nDisplayDelay=500\r\nRotateDelay=5000\r\nScreenURL1=about:blank#stored\r\n");
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  ASSERT_NE(dialog, nullptr);
  const std::string before = ReadTextFile(IniPath());
  Retype(ScreenEdit(dialog, 1), "about:blank#one, about:blank#two");

  ClickOn(ChildWithText(dialog, L"Preview"));
  HWND screen = FSaver->WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  RECT r;
  GetWindowRect(screen, &r);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  auto loaded = [&](const std::string& url, std::size_t from) {
    std::vector<std::string> urls = LoadsOf(journal);
    return std::find(urls.begin() + std::min(from, urls.size()), urls.end(), url) != urls.end();
  };
  ASSERT_TRUE(WaitUntil([&] { return loaded("about:blank#two", 0); })) << TJournal(journal).Text();
  EXPECT_EQ(LoadsOf(journal).front(), "about:blank#one");
  EXPECT_FALSE(loaded("about:blank#stored", 0));

  PressKey("Escape");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(screen); }));
  EXPECT_TRUE(IsWindowVisible(dialog));
  const std::size_t firstPreview = LoadsOf(journal).size();
  ClickOn(ChildWithText(dialog, L"Preview"));
  ASSERT_TRUE(WaitUntil([&] { return LoadsOf(journal).size() > firstPreview; }));
  EXPECT_EQ(LoadsOf(journal)[firstPreview], "about:blank#one") << "the list went on where it stopped";
  PressKey("Escape");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(screen); }));

  // The browsers outlive the preview; Clear Cache must not leave them showing
  // pages made with the deleted cookies.
  const std::size_t secondPreview = LoadsOf(journal).size();
  ClickOn(ChildWithText(dialog, L"Clear Cache"));
  TBox box = WaitForMessageBox(*FSaver);
  ASSERT_NE(box.Window, nullptr);
  PressKey("Return");
  EXPECT_TRUE(WaitUntil([&] { return loaded("about:blank", secondPreview); })) << TJournal(journal).Text();

  PressKey("Escape");
  ExpectEnds();
  EXPECT_EQ(ReadTextFile(IniPath()), before);
  EXPECT_GE(TJournal(journal).IndexOf("leaks", "total", "0"), 0) << TJournal(journal).Text();
  RemoveTree(journalFolder);
}

TEST_F(DialogEndToEnd, ClearCacheDeletesEveryStoredCookie) {
  const std::wstring journalFolder = MakeTempDir(L"kelpa-journal-");
  const std::wstring journal = journalFolder + L"\\journal.txt";
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", journal.c_str());
  HWND dialog = Open(kStoredSettings, [](const std::wstring& folder) {
    using standin::cookies::TCookie;
    const int64_t future = standin::cookies::NowMicroseconds() + 86400LL * 1000000 * 365;
    std::vector<TCookie> cookies;
    for (const char* name : {"session", "theme", "token"})
      cookies.push_back(TCookie{name, "1", "a.example", "/", false, false, true, future, 1, 1, "", "", ""});
    CreateDirectoryW((folder + L"\\cookies").c_str(), nullptr);
    std::ofstream(std::filesystem::path(folder) / "cookies" / "StandinCookies.txt", std::ios::binary)
        << standin::cookies::SerializeCookies(cookies);
  });
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  ASSERT_NE(dialog, nullptr);
  ClickOn(ChildWithText(dialog, L"Clear Cache"));
  TBox box = WaitForMessageBox(*FSaver);
  ASSERT_NE(box.Window, nullptr);
  EXPECT_EQ(box.Text, L"Cache has been cleared.");
  PressKey("Return");
  EXPECT_TRUE(WaitUntil([&] { return TJournal(journal).IndexOf("cookie_visit") >= 0; }));
  PressKey("Escape");
  ExpectEnds();

  TJournal events(journal);
  std::vector<TJournalEvent> visits = events.All("cookie_visit");
  ASSERT_EQ(visits.size(), 1u) << events.Text();
  EXPECT_TRUE(visits[0].Has("scope", "all"));
  EXPECT_TRUE(visits[0].Has("total", "3")) << events.Text();
  EXPECT_TRUE(visits[0].Has("deleted", "3")) << events.Text();
  int path = events.IndexOf("cookie_storage_path");
  ASSERT_GE(path, 0);
  EXPECT_NE(events.Events()[path].Fields.at("path").find("cookies"), std::string::npos);
  auto stored = standin::cookies::ParseCookieFile(ReadFileBytes(FSaver->Folder() + L"\\cookies\\StandinCookies.txt"));
  ASSERT_TRUE(stored.has_value());
  EXPECT_TRUE(stored->empty());
  EXPECT_GE(events.IndexOf("leaks", "total", "0"), 0) << events.Text();
  RemoveTree(journalFolder);
}
