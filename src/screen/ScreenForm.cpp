#include "screen/ScreenForm.h"

#include "base/Exceptions.h"
#include "base/ScopeExit.h"
#include "base/SysUtils.h"
#include "ceflib/cef_loader.h"
#include "ceflib/cef_settings.h"
#include "screen/MemoryStatus.h"
#include "screen/Rotation.h"
#include "screen/ScreenBrowser.h"
#include "settings/SettingsFile.h"
#include "toolkit/Application.h"
#include "toolkit/Monitors.h"

#include <psapi.h>

TScreenForm* ScreenForm = nullptr;
ceflib::TGlobalRef<ceflib::ICefCookieManager> CookieManager;
TURLList URLList1, URLList2, URLList3, URLList4, URLList5;

namespace {

const wchar_t kTitle[] = L"Tavrix Screen Saver v3.2";
const TFont kOverlayFont{L"Tahoma", 11, clGray};
const TFont kStatusFont{L"Tahoma", 9, clGray};
// A page that broke after it came (a server error, a renderer that ended) is
// loaded again this long after; one that never came waits for the rotation tick.
constexpr unsigned kPageRetryDelay = 3000;  // ms

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

TDateTime WatchClock() { return static_cast<double>(GetTickCount64()) / 86400000.0; }

static_assert(MaxScreenMonitors == SettingsScreenCount, "one address list per monitor");

TScreenForm::TScreenForm()
    : FMonitors{{{1, Panel1, URLList1}, {2, Panel2, URLList2}, {3, Panel3, URLList3}, {4, Panel4, URLList4},
                 {5, Panel5, URLList5}}} {
  SetCaption(L"Screen");
  SetBorderStyle(bsNone);
  SetAlwaysOnTop(true);
  SetColor(clBlack);
  SetFont(TFont{L"Tahoma", 11, clWindowText});
  for (TMonitorSlot& monitor : FMonitors) {
    BlackPanel(monitor.Overlay, kOverlayFont);
    monitor.Overlay.Hide();
  }
  BlackPanel(Panel0, kOverlayFont);
  Panel0.Hide();
  for (TPanel* status : {&MemDisplay, &TitleDisplay}) {
    BlackPanel(*status, kStatusFont);
    status->Hide();
  }
  TitleDisplay.SetCaption(kTitle);
  PanelTrigger.SetColor(clBlack);
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
  FRetryTimer.OnTimer = [this](TTimer& t) { RetryTimerTimer(t); };
  FRetryTimer.SetInterval(kPageRetryDelay);
}

// The hook must not outlive the window it calls, whichever way the window went.
TScreenForm::~TScreenForm() { Application.OnMessage = nullptr; }

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
  for (TMonitorSlot& monitor : FMonitors) monitor.URLs.clear();
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
  // The status line and the switches belong on the primary monitor, wherever it lies in the window.
  const TScreenPoint& primary = FLayout.PrimaryOrigin;
  MemDisplay.SetBounds(primary.X + 184, primary.Y + 1067, 146, 16);
  TitleDisplay.SetBounds(primary.X + 22, primary.Y + 1067, 146, 16);
  PanelTrigger.SetBounds(primary.X, primary.Y + 90, 113, 136);
}

void TScreenForm::HideCursor() {
  if (FCursorHidden) return;
  ShowCursor(FALSE);
  FCursorHidden = true;
}

void TScreenForm::RestoreCursor() {
  if (!FCursorHidden) return;
  ShowCursor(TRUE);
  FCursorHidden = false;
}

void TScreenForm::FormShow() {
  Application.OnMessage = [this](MSG& message, bool& handled) { ApplicationMessage(message, handled); };
  const TDateTime startTime = WatchClock();
  Timer1.SetEnabled(false);
  for (TMonitorSlot& monitor : FMonitors) monitor.URLs = URLListForSetting(FSettings.ScreenURL[monitor.Number - 1]);
  if (!Preview()) HideCursor();
  // Whatever fails from here on is shown in a message box, which needs the cursor.
  auto restoreCursor = ScopeExit([this] { RestoreCursor(); });
  CoverDesktop();
  Panel0.SetCaption(L"");
  Panel0.Show();
  Panel0.BringToFront();
  Panel0.Repaint();
  Repaint();
  for (TMonitorSlot& monitor : FMonitors) monitor.Overlay.Hide();
  const std::size_t present = FLayout.Monitors.size();
  TScreenRect first = present > 0 ? FLayout.Monitors[0] : TScreenRect{0, 0, ClientWidth(), ClientHeight()};
  Panel1.SetBounds(first.Left, first.Top, first.Width, first.Height);
  Timer1.SetInterval(EffectiveOverlayDelay(FSettings.DisplayDelay, FSettings.RotateDelay));
  Timer3.SetInterval(FSettings.RotateDelay);
  if (Timer1.Tag == 0) {
    Timer1.Tag = 1;
    Timer1.SetEnabled(true);
  }
  Panel0.Hide();
  Panel1.SetCaption(LoadingCaption(1, 1, URLList1.front()));
  Panel1.Show();
  Panel1.Repaint();
  Panel1.BringToFront();
  SetUpMonitor(FMonitors[0], first);
  for (std::size_t i = 1; i < present; ++i) {
    TMonitorSlot& monitor = FMonitors[i];
    const TScreenRect& r = FLayout.Monitors[i];
    monitor.Overlay.Show();
    monitor.Overlay.SetBounds(r.Left, r.Top, r.Width, r.Height);
    monitor.Overlay.SetCaption(LoadingCaption(monitor.Number, 1, monitor.URLs.front()));
    monitor.Overlay.Repaint();
    SetUpMonitor(monitor, r);
  }
  // The watch keeps the start point the mouse is measured from.
  FWatch.Start(startTime, CursorPos(), Preview());
  for (int n = 1; n <= 6; ++n) Switch(n).SetState(tssOff);
  // Running on, hidden, since the last preview: the first rotation comes a full delay after this show.
  Restart(Timer3);
  restoreCursor.Dismiss();
}

void TScreenForm::ShowSaver(const TSettings& settings) {
  FSettings = settings;
  Show();
}

void TScreenForm::ShowPreview(const TSettings& settings) {
  Tag = 1;
  Timer1.Tag = 0;  // every preview arms the overlay timer anew
  FSettings = settings;
  Show();
}

bool TScreenForm::BlankPages() {
  bool blanked = false;
  for (TMonitorSlot& monitor : FMonitors)
    if (monitor.Browser) {
      screenbrowser::Load(*monitor.Browser, L"about:blank");
      blanked = true;
    }
  return blanked;
}

void TScreenForm::SetUpMonitor(TMonitorSlot& monitor, const TScreenRect& bounds) {
  if (!monitor.Browser) {
    monitor.Browser = screenbrowser::Create(*this);
    screenbrowser::OnPageFailed(*monitor.Browser,
                                [this, &monitor](screenbrowser::TPageFailure why) { PageFailed(monitor, why); });
  }
  TChromium& browser = *monitor.Browser;
  screenbrowser::Place(browser, bounds);
  monitor.Loading();
  screenbrowser::Load(browser, Trim(monitor.URLs.front()));
  screenbrowser::SendToBack(browser);
  screenbrowser::Tag(browser) = 0;
}

void TScreenForm::PageFailed(TMonitorSlot& monitor, screenbrowser::TPageFailure failure) {
  monitor.LoadFailed = true;
  if (failure == screenbrowser::TPageFailure::LoadError || monitor.RetryPending) return;
  monitor.RetryPending = true;
  Restart(FRetryTimer);
}

// Once per failure: a reload that fails again is a failure of its own.
void TScreenForm::RetryTimerTimer(TTimer&) {
  FRetryTimer.SetEnabled(false);
  for (TMonitorSlot& monitor : FMonitors) {
    if (!monitor.RetryPending) continue;
    monitor.RetryPending = false;
    ceflib::RefPtr<ceflib::ICefFrame> frame = monitor.Browser ? screenbrowser::MainFrame(*monitor.Browser) : nullptr;
    if (!frame) continue;
    monitor.Loading();
    frame->LoadUrl(Trim(monitor.URLs[EntryIndex(screenbrowser::Tag(*monitor.Browser), monitor.URLs.size())]));
  }
}

void TScreenForm::FormHide() {
  Application.OnMessage = nullptr;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  RestoreCursor();
}

void TScreenForm::Timer1Timer(TTimer&) {
  for (TMonitorSlot& monitor : FMonitors) monitor.Overlay.Hide();
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
  for (TMonitorSlot& monitor : FMonitors) {
    if (!monitor.Browser) continue;
    const TURLList& list = monitor.URLs;
    ceflib::RefPtr<ceflib::ICefFrame> frame = screenbrowser::MainFrame(*monitor.Browser);
    int& tag = screenbrowser::Tag(*monitor.Browser);
    bool signIn = monitor.Number == 1 && SignInHoldsRotation(FWatch.LoginSwitch(), list[EntryIndex(tag, list.size())]);
    TRotationInput input{list.size(), tag, static_cast<bool>(frame), signIn, monitor.LoadFailed};
    std::optional<int> next = NextRotationTag(input);
    if (!next) continue;
    tag = *next;
    monitor.Loading();
    frame->LoadUrl(Trim(list[tag]));
    monitor.Overlay.SetCaption(LoadingCaption(monitor.Number, tag + 1, list[tag]));
    monitor.Overlay.Show();
  }
  Restart(Timer1);
}

TLoginPage TScreenForm::Monitor1Page() {
  TChromium* browser = FMonitors[0].Browser;
  if (!browser) return TLoginPage::NoFrame;
  ceflib::RefPtr<ceflib::ICefFrame> frame = screenbrowser::MainFrame(*browser);
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
  TWatchVerdict verdict = FWatch.Check(watched, WatchClock(), Monitor1Page());
  if (verdict.Preview) {
    PanelTrigger.Show();
    if (GetWindow(Handle(), GW_CHILD) != PanelTrigger.Handle()) PanelTrigger.BringToFront();
  } else {
    PanelTrigger.Hide();
  }
  ShowSwitches(verdict);
  if (verdict.LoginBegins) {
    // Once, when the sign-in page appears: the operator needs the cursor and the keys.
    RestoreCursor();
    if (TChromium* browser = FMonitors[0].Browser) screenbrowser::Focus(*browser);
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
  if (!Preview()) HideCursor();
  for (TMonitorSlot& monitor : FMonitors) {
    if (!monitor.Browser) continue;
    ceflib::RefPtr<ceflib::ICefFrame> frame = screenbrowser::MainFrame(*monitor.Browser);
    if (!frame) continue;
    monitor.Loading();
    frame->LoadUrl(monitor.URLs[EntryIndex(screenbrowser::Tag(*monitor.Browser), monitor.URLs.size())]);
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
  // The runtime starts loads in its loop work, which runs from a timer; the
  // application ends before that timer fires again, so the work runs now.
  if (ceflib::SingleProcess && BlankPages()) ceflib::DoMessageLoopWork();
  canClose = true;
}

void TScreenForm::FormClose(TCloseAction&) {
  RestoreCursor();
  if (!Preview()) Application.Terminate();
}

LRESULT TScreenForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The system asks to start a screen saver: one is running already.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SCREENSAVE) return 1;
  return TForm::WndProc(message, wParam, lParam);
}
