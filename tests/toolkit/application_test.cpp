#include "base/Exceptions.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"

#include "MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kThrowMessage = WM_APP + 1;
constexpr UINT kProbeMessage = WM_APP + 2;

class TProbeForm : public TForm {
 public:
  static inline TProbeForm* Instance = nullptr;
  static inline std::vector<std::string>* Log = nullptr;
  static inline bool FailCreate = false;
  int Probes = 0;
  bool GlobalWasSetInFormCreate = false;
  ~TProbeForm() override {
    if (Log) Log->push_back("destroyed:" + std::to_string(Tag));
  }

 protected:
  void FormCreate() override {
    GlobalWasSetInFormCreate = Instance == this;
    if (FailCreate) throw Exception(L"Thrown in FormCreate");
  }
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrowMessage) throw Exception(L"Thrown in a window procedure");
    if (message == kProbeMessage) ++Probes;
    return TForm::WndProc(message, wParam, lParam);
  }
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize();
    Application.SetTitle(L"KelpaTest");
    Application.SetShowMainForm(false);
    Application.SetMainFormOnTaskBar(true);
    Application.OnException = [this](const std::wstring& message) { FExceptions.push_back(message); };
  }
  void TearDown() override {
    Application.DestroyForms();
    Application.OnMessage = nullptr;
    Application.OnException = nullptr;
    Application.SetShowMainForm(true);
    // Handle what is left and drop a quit request no loop took.
    Application.ProcessMessages();
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  std::vector<std::wstring> FExceptions;
  // CreateForm's references must outlive the forms, which TearDown destroys.
  TProbeForm* form = nullptr;
  TProbeForm* second = nullptr;
};

}  // namespace

TEST_F(ApplicationTest, CreateFormSetsTheReferenceBeforeFormCreateAndTheFirstFormIsMain) {
  TProbeForm& first = Application.CreateForm(TProbeForm::Instance);
  EXPECT_EQ(TProbeForm::Instance, &first);
  EXPECT_TRUE(first.GlobalWasSetInFormCreate);
  EXPECT_EQ(Application.MainForm(), &first);
  EXPECT_FALSE(first.Visible());
  Application.CreateForm(second);
  EXPECT_EQ(Application.MainForm(), &first);
  Application.DestroyForms();
  EXPECT_EQ(TProbeForm::Instance, nullptr);
}

TEST_F(ApplicationTest, DestroyFormsGoesInReverseOrderAndClearsTheReferences) {
  std::vector<std::string> log;
  TProbeForm::Log = &log;
  Application.CreateForm(form).Tag = 1;
  Application.CreateForm(second).Tag = 2;
  HWND firstWindow = form->Handle();
  Application.DestroyForms();
  TProbeForm::Log = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"destroyed:2", "destroyed:1"}));
  EXPECT_EQ(form, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(Application.MainForm(), nullptr);
  EXPECT_FALSE(IsWindow(firstWindow));
}

TEST_F(ApplicationTest, MainFormWithoutTaskBarEntryIsOwnedByTheApplicationWindow) {
  Application.SetMainFormOnTaskBar(false);
  Application.CreateForm(form);
  Application.CreateForm(second);
  EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), Application.Handle());
  EXPECT_EQ(GetWindow(second->Handle(), GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindowVisible(Application.Handle()));
}

TEST_F(ApplicationTest, HookSeesEveryMessageWithItsParametersAndCanStopIt) {
  Application.CreateForm(form);
  std::vector<MSG> seen;
  Application.OnMessage = [&](MSG& message, bool& handled) {
    if (message.message == kProbeMessage) {
      seen.push_back(message);
      handled = message.wParam == 2;
    }
  };
  PostMessageW(form->Handle(), kProbeMessage, 1, 10);
  PostMessageW(form->Handle(), kProbeMessage, 2, 20);
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Application.Run();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].hwnd, form->Handle());
  EXPECT_EQ(seen[0].wParam, 1u);
  EXPECT_EQ(seen[0].lParam, 10);
  EXPECT_EQ(seen[1].wParam, 2u);
  EXPECT_EQ(seen[1].lParam, 20);
  EXPECT_EQ(form->Probes, 1);  // the second was marked handled
}

TEST_F(ApplicationTest, HookMayRemoveItselfWhileItRuns) {
  Application.CreateForm(form);
  int calls = 0;
  std::wstring captured = L"alive";
  Application.OnMessage = [&calls, captured](MSG& message, bool&) {
    if (message.message != kProbeMessage) return;
    ++calls;
    Application.OnMessage = nullptr;
    EXPECT_EQ(captured, L"alive");  // the closure is still intact
  };
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Application.Run();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(form->Probes, 2);
}

TEST_F(ApplicationTest, ClosingTheMainFormEndsTheLoopRightAfterTheClose) {
  Application.CreateForm(form);
  Application.CreateForm(second);
  bool terminatedAfterClose = false;
  Application.OnMessage = [&](MSG& message, bool&) {
    if (message.message == kProbeMessage) terminatedAfterClose = Application.Terminated();
  };
  PostMessageW(second->Handle(), WM_CLOSE, 0, 0);  // not the main form: only hides it
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  Application.Run();
  EXPECT_FALSE(terminatedAfterClose);
  EXPECT_EQ(form->Probes, 1);  // the probe after the close was never handled
}

TEST_F(ApplicationTest, TerminateEndsTheLoopAfterTheCurrentMessage) {
  Application.CreateForm(form);
  Application.OnMessage = [](MSG& message, bool&) {
    if (message.message == kProbeMessage) Application.Terminate();
  };
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  Application.Run();
  EXPECT_EQ(form->Probes, 1);
}

TEST_F(ApplicationTest, RunShowsTheMainFormOnlyWhenAsked) {
  Application.CreateForm(form);
  bool visibleInLoop = true;
  Application.OnMessage = [&](MSG& message, bool&) {
    if (message.message == kProbeMessage) visibleInLoop = form->Visible();
  };
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Application.Run();
  EXPECT_FALSE(visibleInLoop);

  Application.SetShowMainForm(true);
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Application.Run();
  EXPECT_TRUE(visibleInLoop);
}

TEST_F(ApplicationTest, ExceptionInAWindowProcedureGoesToTheHandlerAndTheProgramGoesOn) {
  Application.CreateForm(form);
  EXPECT_EQ(SendMessageW(form->Handle(), kThrowMessage, 0, 0), 0);
  EXPECT_EQ(FExceptions, std::vector<std::wstring>{L"Thrown in a window procedure"});
  SendMessageW(form->Handle(), kProbeMessage, 0, 0);
  EXPECT_EQ(form->Probes, 1);
}

TEST_F(ApplicationTest, ExceptionInFormCreateGoesToTheHandlerAndTheFormStays) {
  TProbeForm::FailCreate = true;
  TProbeForm& created = Application.CreateForm(form);
  TProbeForm::FailCreate = false;
  EXPECT_EQ(FExceptions, std::vector<std::wstring>{L"Thrown in FormCreate"});
  EXPECT_EQ(form, &created);
  EXPECT_EQ(Application.MainForm(), &created);
  Application.CreateForm(second);
  EXPECT_NE(second, nullptr);
}

TEST_F(ApplicationTest, ExceptionInTheHookGoesToTheHandlerAndTheLoopGoesOn) {
  Application.CreateForm(form);
  Application.OnMessage = [](MSG& message, bool&) {
    if (message.message == kProbeMessage && message.wParam == 1) throw std::runtime_error("hook failed");
  };
  PostMessageW(form->Handle(), kProbeMessage, 1, 0);
  PostMessageW(form->Handle(), kThrowMessage, 0, 0);
  PostMessageW(form->Handle(), kProbeMessage, 2, 0);
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  Application.Run();
  EXPECT_EQ(FExceptions, (std::vector<std::wstring>{L"hook failed", L"Thrown in a window procedure"}));
  EXPECT_EQ(form->Probes, 1);
}

TEST_F(ApplicationTest, DefaultExceptionHandlingShowsTheMessageTitledWithTheApplicationTitle) {
  Application.OnException = nullptr;
  Application.CreateForm(form);
  TMessageBoxWatcher watcher(GetCurrentThreadId());
  SendMessageW(form->Handle(), kThrowMessage, 0, 0);
  TSeenMessageBox box = watcher.Seen();
  ASSERT_TRUE(box.Found);
  EXPECT_EQ(box.Title, L"KelpaTest");
  EXPECT_EQ(box.Text, L"Thrown in a window procedure");
  EXPECT_EQ(box.Buttons, 1);
  EXPECT_EQ(box.FirstButton, L"OK");
  SendMessageW(form->Handle(), kProbeMessage, 0, 0);
  EXPECT_EQ(form->Probes, 1);  // the program went on
}

TEST_F(ApplicationTest, ShowMessageIsCentredOnTheScreenWithOneOKButton) {
  TMessageBoxWatcher watcher(GetCurrentThreadId());
  ShowMessage(L"Cache has been cleared.");
  TSeenMessageBox box = watcher.Seen();
  ASSERT_TRUE(box.Found);
  EXPECT_EQ(box.Title, L"KelpaTest");
  EXPECT_EQ(box.Text, L"Cache has been cleared.");
  EXPECT_EQ(box.Buttons, 1);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int screenCentreX = (work.left + work.right) / 2;
  int screenCentreY = (work.top + work.bottom) / 2;
  EXPECT_NEAR((box.Bounds.left + box.Bounds.right) / 2, screenCentreX, 2);
  EXPECT_NEAR((box.Bounds.top + box.Bounds.bottom) / 2, screenCentreY, 2);
}

TEST_F(ApplicationTest, ProcessMessagesLeavesAQuitRequestForTheLoop) {
  Application.CreateForm(form);
  Application.Terminate();
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  Application.ProcessMessages();
  EXPECT_EQ(form->Probes, 1);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  PostMessageW(form->Handle(), kProbeMessage, 0, 0);
  Application.Run();  // ends at once on the waiting request
  EXPECT_EQ(form->Probes, 1);
  EXPECT_FALSE(Application.Terminated());  // used up
  EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}
