#pragma once
// The find handler (cef_find_handler_t): ours, handed to the runtime by a client to learn the
// results of a host's Find.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefFindHandler : public virtual ICefBase {
 public:
  virtual void OnFindResult(const RefPtr<ICefBrowser>& browser, int identifier, int count,
                            const cef_rect_t* selectionRect, int activeMatchOrdinal, bool finalUpdate) = 0;
};

// Subclasses supply OnFindResult.
class TCefFindHandlerOwn : public TCefOwnOf<ICefFindHandler, cef_find_handler_t> {
 protected:
  TCefFindHandlerOwn();
};

}  // namespace ceflib
