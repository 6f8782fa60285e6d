#pragma once
// The drag handler (cef_drag_handler_t): ours, handed to the runtime by a client.

#include <cstddef>

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefDragHandler : public virtual ICefBase {
 public:
  // True cancels the drag.
  virtual bool OnDragEnter(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDragData>& dragData,
                           cef_drag_operations_mask_t mask) = 0;
  virtual void OnDraggableRegionsChanged(const RefPtr<ICefBrowser>& browser, size_t regionsCount,
                                         const cef_draggable_region_t* regions) = 0;
};

// Lets drags happen: OnDragEnter returns false, the other does nothing.
class TCefDragHandlerOwn : public TCefOwnOf<ICefDragHandler, cef_drag_handler_t> {
 public:
  TCefDragHandlerOwn();
  bool OnDragEnter(const RefPtr<ICefBrowser>& browser, const RefPtr<ICefDragData>& dragData,
                   cef_drag_operations_mask_t mask) override;
  void OnDraggableRegionsChanged(const RefPtr<ICefBrowser>& browser, size_t regionsCount,
                                 const cef_draggable_region_t* regions) override;
};

}  // namespace ceflib
