#include "ceflib/cef_browser.h"
#include "ceflib/cef_find_handler.h"

namespace ceflib {

TCefFindHandlerOwn::TCefFindHandlerOwn() {
  Bind<&cef_find_handler_t::on_find_result, &ICefFindHandler::OnFindResult>();
}

}  // namespace ceflib
