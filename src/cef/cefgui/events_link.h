#pragma once
// TEventsLink: the way from a client and its handlers to the sink. The runtime may still call
// a handler it holds after the sink's owner is gone, and on any of its threads; so every call
// goes through this link, and Detach cuts it and waits for calls other threads are making
// through it. After Detach a call gets the answer the runtime would have without a handler.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

#include "cefgui/chromium_events.h"

namespace cefgui {

// What the runtime does when nobody handles a callback.
template <class R>
R UnhandledResult() {
  if constexpr (std::is_same_v<R, cef_return_value_t>)
    return RV_CONTINUE;
  else if constexpr (!std::is_void_v<R>)
    return R{};
}

class TEventsLink {
 public:
  explicit TEventsLink(IChromiumEvents* events) noexcept : FEvents(events) {}
  TEventsLink(const TEventsLink&) = delete;
  TEventsLink& operator=(const TEventsLink&) = delete;

  bool Attached() const;
  // From now on nothing reaches the sink. Returns once no other thread is inside it; calls
  // this thread is making (a sink that destroys its owner from an event) finish as they are.
  void Detach() noexcept;

  // Calls the sink's operation with args, or answers UnhandledResult when detached.
  template <class R, class... P, class... A>
  R Send(R (IChromiumEvents::*operation)(P...), A&&... args) {
    TUse use(*this);
    if (!use.Events()) return UnhandledResult<R>();
    return (use.Events()->*operation)(std::forward<A>(args)...);
  }

 private:
  class TUse {
   public:
    explicit TUse(TEventsLink& link);
    ~TUse();
    TUse(const TUse&) = delete;
    TUse& operator=(const TUse&) = delete;
    IChromiumEvents* Events() const noexcept { return FEvents; }

   private:
    TEventsLink& FLink;
    IChromiumEvents* FEvents;
  };

  mutable std::mutex FLock;
  std::condition_variable FIdle;
  IChromiumEvents* FEvents;
  int FActive = 0;  // calls inside the sink, all threads
};

using TEventsLinkPtr = std::shared_ptr<TEventsLink>;

}  // namespace cefgui
