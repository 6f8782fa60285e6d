#pragma once
// The running screen saver: one borderless, black, always-on-top window over
// the whole desktop, with a browser and a "Loading Screen" overlay per monitor,
// a memory and title status line, and a diagnostics panel in preview.

#include "ceflib/cef_cookie.h"
#include "ceflib/cef_global_ref.h"
#include "ceflib/ref_ptr.h"
#include "screen/InputWatch.h"
#include "screen/ScreenBrowser.h"
#include "screen/ScreenLayout.h"
#include "settings/Settings.h"
#include "settings/URLList.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"
#include "toolkit/ToggleSwitch.h"

#include <array>

namespace cefvcl {
class TChromium;
}
using cefvcl::TChromium;

// Everything the window keeps for one monitor.
struct TMonitorSlot {
  int Number;                    // 1..5, as the captions count
  TPanel& Overlay;               // its "Loading Screen" panel, Panel<Number>
  TURLList& URLs;                // URLList<Number>
  TChromium* Browser = nullptr;  // BrowserC<Number>: made at the first show that finds the monitor;
                                 // its Tag is the list position of the address it shows
  bool LoadFailed = false;       // its last main-frame load failed
  bool RetryPending = false;     // its page broke after it came: the retry timer loads it again

  // A load of the monitor's own begins: whatever failed before is answered.
  void Loading() noexcept { LoadFailed = RetryPending = false; }
};

class TScreenForm : public TForm {
 public:
  TScreenForm();
  ~TScreenForm() override;

  TPanel Panel1{*this};
  TPanel Panel2{*this};
  TPanel Panel3{*this};
  TPanel Panel4{*this};
  TPanel Panel5{*this};
  TTimer Timer1;
  TPanel Panel0{*this};
  TTimer Timer2;
  TPanel MemDisplay{*this};
  TPanel PanelTrigger{*this};
  TToggleSwitch ToggleSwitch1{PanelTrigger};
  TToggleSwitch ToggleSwitch2{PanelTrigger};
  TToggleSwitch ToggleSwitch3{PanelTrigger};
  TToggleSwitch ToggleSwitch4{PanelTrigger};
  TToggleSwitch ToggleSwitch5{PanelTrigger};
  TToggleSwitch ToggleSwitch6{PanelTrigger};
  TLabel Label6{PanelTrigger};
  TLabel Label5{PanelTrigger};
  TLabel Label4{PanelTrigger};
  TLabel Label3{PanelTrigger};
  TLabel Label2{PanelTrigger};
  TLabel Label1{PanelTrigger};
  TPanel TitleDisplay{*this};
  TTimer Timer3;

  // Monitor 1..5 and its browser control (nullptr until one was made).
  const TMonitorSlot& Monitor(int number) const { return FMonitors.at(number - 1); }
  TChromium* BrowserC(int number) const { return Monitor(number).Browser; }

  // Shows the running saver ("/S") with these settings.
  void ShowSaver(const TSettings& settings);
  // Shows the window in preview mode with these settings; input hides it again.
  void ShowPreview(const TSettings& settings);
  // Loads a blank page into every browser there is; false when there is none.
  bool BlankPages();

  // The message-loop hook: watches every retrieved message while the window shows.
  void ApplicationMessage(MSG& message, bool& handled);
  // In preview hides the window; otherwise closes it.
  void DismissScreen();

  void Timer1Timer(TTimer& sender);
  void Timer2Timer(TTimer& sender);
  void Timer3Timer(TTimer& sender);

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormHide() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(TCloseAction& action) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Preview() const noexcept { return Tag == 1; }
  TToggleSwitch& Switch(int n);
  TLoginPage Monitor1Page();
  void SetUpMonitor(TMonitorSlot& monitor, const TScreenRect& bounds);
  void PageFailed(TMonitorSlot& monitor, screenbrowser::TPageFailure failure);
  void RetryTimerTimer(TTimer& sender);
  void ShowSwitches(const TWatchVerdict& verdict);
  void ReturnFromLogin();
  void CoverDesktop();
  // The cursor is hidden only while the running saver shows a page that is no
  // sign-in page; each hide is matched by one restore, so the count comes back.
  void HideCursor();
  void RestoreCursor();

  TSettings FSettings;  // those of the current show
  TInputWatch FWatch;
  TScreenLayout FLayout;
  std::array<TMonitorSlot, MaxScreenMonitors> FMonitors;
  bool FCursorHidden = false;
  TTimer FRetryTimer;  // runs while a broken page waits for its reload
};

extern TScreenForm* ScreenForm;
// Let go by the runtime's unload, wherever the process's end leaves it.
extern ceflib::TGlobalRef<ceflib::ICefCookieManager> CookieManager;
extern TURLList URLList1, URLList2, URLList3, URLList4, URLList5;

// The input watch's clock, in days: monotonic, so that a change of the system's
// time neither ends the grace periods early nor keeps them from ending.
TDateTime WatchClock();
