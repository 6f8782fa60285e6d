#include "ceflib/cef_global_ref.h"

namespace ceflib {
namespace {

// A plain pointer, set up before any constructor runs, so that the list is there for every
// global whatever the order of their construction and destruction.
TGlobalRefLink* First = nullptr;

}  // namespace

TGlobalRefLink::TGlobalRefLink() noexcept : FNext(First) {
  if (First) First->FPrevious = this;
  First = this;
}

TGlobalRefLink::~TGlobalRefLink() {
  if (FPrevious) FPrevious->FNext = FNext;
  else First = FNext;
  if (FNext) FNext->FPrevious = FPrevious;
}

void ReleaseGlobalRefs() noexcept {
  for (TGlobalRefLink* link = First; link; link = link->FNext) link->Release();
}

}  // namespace ceflib
