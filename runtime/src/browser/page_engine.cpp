#include "page_engine.h"

#include "chromium_engine.h"
#include "page_facade.h"
#include "text_engine.h"

namespace standin {

std::shared_ptr<TPageEngine> ChoosePageEngine(const std::shared_ptr<TBrowserCore>& core) {
  // Never waits: a browser made while the engine starts or restarts gets its target when the
  // engine is up; only a runtime without any engine installed shows the text display.
  if (TChromiumEngine::Instance().Expected()) return TPageFacade::Create(core);
  return std::make_shared<TTextEngine>(core);
}

}  // namespace standin
