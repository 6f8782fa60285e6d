#include "cefgui/events_link.h"

#include <algorithm>
#include <vector>

namespace cefgui {
namespace {

// The links this thread is inside of, innermost last.
thread_local std::vector<const TEventsLink*> tInside;

}  // namespace

TEventsLink::TUse::TUse(TEventsLink& link) : FLink(link) {
  std::lock_guard<std::mutex> lock(link.FLock);
  FEvents = link.FEvents;
  if (!FEvents) return;
  ++link.FActive;
  tInside.push_back(&link);
}

TEventsLink::TUse::~TUse() {
  if (!FEvents) return;
  tInside.pop_back();
  std::lock_guard<std::mutex> lock(FLink.FLock);
  --FLink.FActive;
  FLink.FIdle.notify_all();
}

bool TEventsLink::Attached() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FEvents != nullptr;
}

void TEventsLink::Detach() noexcept {
  const auto own = static_cast<int>(std::count(tInside.begin(), tInside.end(), this));
  std::unique_lock<std::mutex> lock(FLock);
  FEvents = nullptr;
  FIdle.wait(lock, [&] { return FActive <= own; });
}

}  // namespace cefgui
