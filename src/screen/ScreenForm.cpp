#include "screen/ScreenForm.h"

#include "base/Exceptions.h"
#include "base/SysUtils.h"
#include "ceflib/cef_loader.h"
#include "ceflib/cef_settings.h"
#include "screen/MemoryStatus.h"
#include "screen/Rotation.h"
#include "screen/ScreenBrowser.h"
#include "settings/ConfigForm.h"
#include "settings/SettingsFile.h"
#include "toolkit/Application.h"
#include "toolkit/Monitors.h"

#include <psapi.h>

TScreenForm* ScreenForm = nullptr;
TDateTime StartTime = 0;
int StartX = 0;
int StartY = 0;
ceflib::TGlobalRef<ceflib::ICefCookieManager> CookieManager;
TURLList URLList1, URLList2, URLList3, URLList4, URLList5;

namespace {

const wchar_t kTitle[] = L"Tavrix Screen Saver v3.2";
const TFont kOverlayFont{L"Tahoma", 11, clGray};
const TFont kStatusFont{L"Tahoma", 9, clGray};

TURLList& URLList(int monitor) {
  static TURLList* const lists[] = {&URLList1, &URLList2, &URLList3, &URLList4, &URLList5};
  return *lists[monitor - 1];
}

TScreenRect RectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

void Restart(TTimer& timer) {
  timer.SetEnabled(false);
  timer.SetEnabled(true);
}

void BlackPanel(TPanel& panel, const TFont& font) {
  panel.SetColor(clBlack);
  panel.SetFont(font);
}

}  // namespace

TDateTime Now() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER ticks{{ft.dwLowDateTime, ft.dwHighDateTime}};
  // 100 ns ticks since 1601-01-01; date-times count days since 1899-12-30.
  return static_cast<double>(ticks.QuadPart) / 864000000000.0 - 109205.0;
}

std::wstring CookieFolder() { return AppDataPath(L"cookies"); }

TScreenForm::TScreenForm() {
  SetCaption(L"Screen");
  SetBorderStyle(bsNone);
  SetAlwaysOnTop(true);
  SetColor(clBlack);
  SetFont(TFont{L"Tahoma", 11, clWindowText});
  for (int n = 1; n <= 5; ++n) {
    BlackPanel(Panel(n), kOverlayFont);
    Panel(n).Hide();
  }
  BlackPanel(Panel0, kOverlayFont);
  Panel0.Hide();
  for (TPanel* status : {&MemDisplay, &TitleDisplay}) {
    BlackPanel(*status, kStatusFont);
    status->Hide();
  }
  MemDisplay.SetBounds(184, 1067, 146, 16);
  TitleDisplay.SetBounds(22, 1067, 146, 16);
  TitleDisplay.SetCaption(kTitle);
  PanelTrigger.SetColor(clBlack);
  PanelTrigger.SetBounds(0, 90, 113, 136);
  PanelTrigger.SetCaption(L"PanelTrigger");
  PanelTrigger.Hide();
  const wchar_t* captions[] = {L"Mouse", L"Keyboard", L"Short Timer", L"Long Timer", L"Preview", L"Login"};
  TLabel* labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
  for (int n = 1; n <= 6; ++n) {
    Switch(n).SetBounds(8, 8 + 20 * (n - 1), 44, 20);
    TLabel& label = *labels[n - 1];
    label.SetFont(TFont{L"Tahoma", 11, clSilver});
    label.SetBounds(56, 10 + 20 * (n - 1), 56, 14);
    label.SetCaption(captions[n - 1]);
  }
  Timer1.OnTimer = [this](TTimer& t) { Timer1Timer(t); };
  Timer2.OnTimer = [this](TTimer& t) { Timer2Timer(t); };
  Timer3.OnTimer = [this](TTimer& t) { Timer3Timer(t); };
  Timer2.SetInterval(5000);
  Timer2.SetEnabled(true);
}

// The hook must not outlive the window it calls, whichever way the window went.
TScreenForm::~TScreenForm() { Application.OnMessage = nullptr; }

TChromium*& TScreenForm::BrowserC(int monitor) {
  TChromium** browsers[] = {&BrowserC1, &BrowserC2, &BrowserC3, &BrowserC4, &BrowserC5};
  return *browsers[monitor - 1];
}

TPanel& TScreenForm::Panel(int monitor) {
  TPanel* panels[] = {&Panel1, &Panel2, &Panel3, &Panel4, &Panel5};
  return *panels[monitor - 1];
}

TToggleSwitch& TScreenForm::Switch(int n) {
  TToggleSwitch* switches[] = {&ToggleSwitch1, &ToggleSwitch2, &ToggleSwitch3,
                               &ToggleSwitch4, &ToggleSwitch5, &ToggleSwitch6};
  return *switches[n - 1];
}

void TScreenForm::FormCreate() {
  CookieManager = ceflib::ICefCookieManager::Global(nullptr);
  if (CookieManager) CookieManager->SetStoragePath(CookieFolder(), true, nullptr);
  CoverDesktop();
  Panel0.SetCaption(L"");
  for (int n = 1; n <= 5; ++n) URLList(n).clear();
}

// The window sits on the virtual desktop's origin, which lies left of or above
// the primary monitor when another monitor does; the pages are placed inside it.
void TScreenForm::CoverDesktop() {
  std::vector<TScreenRect> monitors;
  for (const RECT& r : MonitorRects()) monitors.push_back(RectOf(r));
  FLayout = LayoutScreen(RectOf(VirtualScreenRect()), monitors);
  const TScreenRect& w = FLayout.Window;
  SetBounds(w.Left, w.Top, w.Width, w.Height);
  Panel0.SetBounds(0, 0, w.Width, w.Height);
}

void TScreenForm::FormShow() {
  Application.OnMessage = [this](MSG& message, bool& handled) { ApplicationMessage(message, handled); };
  StartTime = Now();
  Timer1.SetEnabled(false);
  TConfigForm& config = *ConfigForm;
  TEdit* edits[] = {&config.URL1, &config.URL2, &config.URL3, &config.URL4, &config.URL5};
  for (int n = 1; n <= 5; ++n) URLList(n) = URLListForSetting(edits[n - 1]->Text());
  if (!Preview()) ShowCursor(FALSE);
  CoverDesktop();
  Panel0.SetCaption(L"");
  Panel0.Show();
  Panel0.BringToFront();
  Panel0.Repaint();
  Repaint();
  for (int n = 1; n <= 5; ++n) Panel(n).Hide();
  const std::size_t monitors = FLayout.Monitors.size();
  TScreenRect first = monitors > 0 ? FLayout.Monitors[0] : TScreenRect{0, 0, ClientWidth(), ClientHeight()};
  Panel1.SetBounds(first.Left, first.Top, first.Width, first.Height);
  Timer1.SetInterval(EffectiveOverlayDelay(config.DisplayDelay.Value(), config.RotateDelay.Value()));
  Timer3.SetInterval(config.RotateDelay.Value());
  if (Timer1.Tag == 0) {
    Timer1.Tag = 1;
    Timer1.SetEnabled(true);
  }
  Panel0.Hide();
  Panel1.SetCaption(LoadingCaption(1, 1, URLList1.front()));
  Panel1.Show();
  Panel1.Repaint();
  Panel1.BringToFront();
  SetUpMonitor(1, first);
  for (int n = 2; n <= static_cast<int>(monitors); ++n) {
    TPanel& panel = Panel(n);
    const TScreenRect& r = FLayout.Monitors[n - 1];
    panel.Show();
    panel.SetBounds(r.Left, r.Top, r.Width, r.Height);
    panel.SetCaption(LoadingCaption(n, 1, URLList(n).front()));
    panel.Repaint();
    SetUpMonitor(n, r);
  }
  POINT cursor = CursorPos();
  StartX = cursor.x;
  StartY = cursor.y;
  FWatch.Start(StartTime, cursor, Preview());
  for (int n = 1; n <= 6; ++n) Switch(n).SetState(tssOff);
  Timer3.SetEnabled(true);
}

void TScreenForm::SetUpMonitor(int monitor, const TScreenRect& bounds) {
  TChromium*& browser = BrowserC(monitor);
  if (!browser) {
    browser = screenbrowser::Create(*this);
    if (!browser) return;
    screenbrowser::OnMainFrameError(*browser, [this, monitor] { FLoadFailed[monitor - 1] = true; });
  }
  screenbrowser::Place(*browser, bounds);
  FLoadFailed[monitor - 1] = false;
  screenbrowser::Load(*browser, Trim(URLList(monitor).front()));
  screenbrowser::SendToBack(*browser);
  screenbrowser::Tag(*browser) = 0;
}

void TScreenForm::FormHide() {
  Application.OnMessage = nullptr;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  ShowCursor(TRUE);
}

void TScreenForm::Timer1Timer(TTimer&) {
  for (int n = 1; n <= 5; ++n) Panel(n).Hide();
}

void TScreenForm::Timer2Timer(TTimer&) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) RaiseLastOSError();
  MemDisplay.SetCaption(MemoryStatusText(counters.WorkingSetSize, UserNumberSeparators()));
  for (TPanel* status : {&MemDisplay, &TitleDisplay}) {
    status->BringToFront();
    status->Show();
    status->Repaint();
  }
  Restart(Timer2);
}

void TScreenForm::Timer3Timer(TTimer&) {
  for (int n = 1; n <= 5; ++n) {
    TChromium* browser = BrowserC(n);
    if (!browser) continue;
    const TURLList& list = URLList(n);
    ceflib::RefPtr<ceflib::ICefFrame> frame = screenbrowser::MainFrame(*browser);
    int& tag = screenbrowser::Tag(*browser);
    TRotationInput input{list.size(), tag, static_cast<bool>(frame), n == 1 && FWatch.LoginSwitch(),
                         FLoadFailed[n - 1]};
    std::optional<int> next = NextRotationTag(input);
    if (!next) continue;
    tag = *next;
    FLoadFailed[n - 1] = false;
    frame->LoadUrl(Trim(list[tag]));
    Panel(n).SetCaption(LoadingCaption(n, tag + 1, list[tag]));
    Panel(n).Show();
  }
  Restart(Timer1);
}

TLoginPage TScreenForm::Monitor1Page() {
  if (!BrowserC1) return TLoginPage::NoFrame;
  ceflib::RefPtr<ceflib::ICefFrame> frame = screenbrowser::MainFrame(*BrowserC1);
  return frame ? LoginPageOf(frame->GetUrl()) : TLoginPage::NoFrame;
}

void TScreenForm::ApplicationMessage(MSG& message, bool&) {
  if (!Visible()) return;
  TWatchMessage watched{message.message, message.wParam, {}};
  if (message.message == WM_MOUSEMOVE) {
    // The message's point is in the receiving window's terms; the start point is on the screen.
    POINT origin{0, 0};
    ClientToScreen(message.hwnd, &origin);
    watched.ScreenPoint = MouseScreenPoint(message.lParam, origin);
  }
  TWatchVerdict verdict = FWatch.Check(watched, Now(), Monitor1Page());
  if (verdict.Preview) {
    PanelTrigger.Show();
    if (GetWindow(Handle(), GW_CHILD) != PanelTrigger.Handle()) PanelTrigger.BringToFront();
  } else {
    PanelTrigger.Hide();
  }
  ShowSwitches(verdict);
  if (verdict.LoginBegins) {
    // Once, when the sign-in page appears: the operator needs the cursor and the keys.
    if (!verdict.Preview) ShowCursor(TRUE);
    if (BrowserC1) screenbrowser::Focus(*BrowserC1);
  }
  if (verdict.Dismiss) {
    DismissScreen();
    return;
  }
  if (verdict.LoginReturn) ReturnFromLogin();
}

void TScreenForm::ShowSwitches(const TWatchVerdict& verdict) {
  if (FWatch.MouseSwitch()) ToggleSwitch1.SetState(tssOn);
  if (FWatch.KeyboardSwitch()) ToggleSwitch2.SetState(tssOn);
  ToggleSwitch3.SetState(verdict.ShortTimer ? tssOn : tssOff);
  ToggleSwitch4.SetState(verdict.LongTimer ? tssOn : tssOff);
  ToggleSwitch5.SetState(verdict.Preview ? tssOn : tssOff);
  ToggleSwitch6.SetState(FWatch.LoginSwitch() ? tssOn : tssOff);
}

// Every monitor reloads what it showed, now with the cookies the sign-in set.
void TScreenForm::ReturnFromLogin() {
  if (!Preview()) ShowCursor(FALSE);
  for (int n = 1; n <= 5; ++n) {
    TChromium* browser = BrowserC(n);
    if (!browser) continue;
    ceflib::RefPtr<ceflib::ICefFrame> frame = screenbrowser::MainFrame(*browser);
    if (!frame) continue;
    const TURLList& list = URLList(n);
    FLoadFailed[n - 1] = false;
    frame->LoadUrl(list[EntryIndex(screenbrowser::Tag(*browser), list.size())]);
  }
}

void TScreenForm::DismissScreen() {
  if (Preview())
    Hide();
  else
    Close();
}

void TScreenForm::FormCloseQuery(bool& canClose) {
  if (CookieManager) CookieManager->FlushStore(nullptr);
  if (ceflib::SingleProcess) {
    bool blanked = false;
    for (int n = 1; n <= 5; ++n)
      if (TChromium* browser = BrowserC(n)) {
        screenbrowser::Load(*browser, L"about:blank");
        blanked = true;
      }
    // The runtime starts loads in its loop work, which runs from a timer; the
    // application ends before that timer fires again, so the work runs now.
    if (blanked) ceflib::DoMessageLoopWork();
  }
  canClose = true;
}

void TScreenForm::FormClose(TCloseAction&) {
  ShowCursor(TRUE);
  if (!Preview()) Application.Terminate();
}

LRESULT TScreenForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The system asks to start a screen saver: one is running already.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SCREENSAVE) return 1;
  return TForm::WndProc(message, wParam, lParam);
}
