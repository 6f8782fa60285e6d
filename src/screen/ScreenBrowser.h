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

// A new control owned by the window and placed in it.
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
// Calls failed() when a main-frame load of this browser ends in an error.
void OnMainFrameError(TChromium& browser, std::function<void()> failed);

}  // namespace screenbrowser
