// Built while the program has no browser control: the screen window then
// shows its overlays, status line and input watch over black monitors.

#include "screen/ScreenBrowser.h"

namespace screenbrowser {

TChromium* Create(TWinControl&) { return nullptr; }
void Place(TChromium&, const TScreenRect&) {}
void Load(TChromium&, const std::wstring&) {}
void SendToBack(TChromium&) {}
void Focus(TChromium&) {}
ceflib::RefPtr<ceflib::ICefFrame> MainFrame(TChromium&) { return nullptr; }
int& Tag(TChromium&) {
  static int none = 0;
  return none;
}
void OnMainFrameError(TChromium&, std::function<void()>) {}

}  // namespace screenbrowser
