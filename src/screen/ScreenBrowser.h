#pragma once
// The few things the screen window does with a monitor's browser control.
// The window keeps its controls as TChromium pointers and touches them only
// through these calls.

#include "ceflib/cef_frame.h"
#include "ceflib/ref_ptr.h"
#include "screen/ScreenLayout.h"
#include "toolkit/WinControl.h"

#include <functional>
#include <string>

namespace cefvcl {
class TChromium;
}
using cefvcl::TChromium;

namespace screenbrowser {

// A new control owned by the window and placed in it. Nobody stands at a wall to
// answer a page, so the control answers for itself: alerts are accepted,
// confirm and prompt cancelled, leaving a page allowed, and popups open nowhere.
TChromium* Create(TWinControl& window);

void Place(TChromium& browser, const TScreenRect& bounds);
// Makes sure the control's window and runtime browser exist, then loads url.
void Load(TChromium& browser, const std::wstring& url);
void SendToBack(TChromium& browser);
void Focus(TChromium& browser);
// The browser's main frame; nil while there is no runtime browser or frame.
ceflib::RefPtr<ceflib::ICefFrame> MainFrame(TChromium& browser);
// The control's Tag: the list position of the address it shows.
int& Tag(TChromium& browser);
// Why a browser's page needs loading again.
enum class TPageFailure {
  LoadError,      // its main-frame load ended in an error (not merely replaced by the next load)
  ServerError,    // its main frame ended with an HTTP status of 500 to 599
  RendererEnded,  // the process that rendered it ended
};

// Calls failed(why) each time this browser's page fails in one of those ways.
void OnPageFailed(TChromium& browser, std::function<void(TPageFailure)> failed);

}  // namespace screenbrowser
