#include "ceflib/cef_browser.h"
#include "ceflib/cef_drag_data.h"
#include "ceflib/cef_drag_handler.h"

namespace ceflib {

using D = cef_drag_handler_t;

TCefDragHandlerOwn::TCefDragHandlerOwn() {
  Bind<&D::on_drag_enter, &TCefDragHandlerOwn::OnDragEnter>();
  Bind<&D::on_draggable_regions_changed, &TCefDragHandlerOwn::OnDraggableRegionsChanged>();
}

bool TCefDragHandlerOwn::OnDragEnter(const RefPtr<ICefBrowser>&, const RefPtr<ICefDragData>&,
                                     cef_drag_operations_mask_t) {
  return false;
}

void TCefDragHandlerOwn::OnDraggableRegionsChanged(const RefPtr<ICefBrowser>&, size_t,
                                                   const cef_draggable_region_t*) {}

}  // namespace ceflib
