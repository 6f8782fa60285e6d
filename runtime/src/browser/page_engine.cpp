#include "page_engine.h"

#include "chromium_page.h"
#include "text_engine.h"

namespace standin {

std::shared_ptr<TPageEngine> ChoosePageEngine(const std::shared_ptr<TBrowserCore>& core) {
  if (auto connection = TChromiumEngine::Instance().Connection())
    if (auto page = TChromiumPage::Create(core, connection)) return page;
  return std::make_shared<TTextEngine>(core);
}

}  // namespace standin
