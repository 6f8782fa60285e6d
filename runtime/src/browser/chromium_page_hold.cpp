// What a page does at the edges of its loads for the façade around it: a page that replaced
// another shows its first picture only once its load has ended (the window keeps the last
// picture of the one before), and every load end hands the engine's cookies to the store.

#include "chromium_page.h"

#include "engine_cookie_sync.h"
#include "frame_keeper.h"

namespace standin {

void TChromiumPage::Present(TBrowserCore& core, std::shared_ptr<const page::TPagePicture> picture) {
  if (FHoldFrames) {
    FHeldPicture = std::move(picture);
    return;
  }
  core.ShowPicture(std::move(picture));
}

void TChromiumPage::LoadEnded(bool loaded) {
  if (loaded) SaveEngineCookies("engine_load");
  if (!std::exchange(FHoldFrames, false)) return;
  // What the picture holds now may still be the blank target's or the page half painted: the
  // first frame that comes after the load shows it, and one is asked for now, so that a page
  // that does not move shows too.
  FHeldPicture.reset();
  if (FKeeper && !FClosed) AskLossless(FConnection, FSession, FKeeper, FKeeper->Newest());
}

}  // namespace standin
