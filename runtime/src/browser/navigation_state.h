#pragma once
// One main-frame load and the browser's record of the load in progress.

#include "request.h"
#include "runtime_object.h"
#include "socket_connection.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace standin {

class TResourceDriver;
class TTextEngine;

struct TNavigation {
  uint64_t serial = 0;
  std::wstring url;                   // as asked for
  std::shared_ptr<std::string> html;  // load_string: the page itself, no request made
  int history_target = -1;            // back/forward: the history entry it moves to
  std::weak_ptr<TTextEngine> engine;  // the display whose load it is
  std::atomic<bool> aborted{false};
  net::TCancelFlag cancel;            // stops an HTTP transfer
  std::atomic<bool> browse_cancelled{false};  // on_before_browse refused a redirect
  // UI thread only.
  bool started = false;
  bool finished = false;
  // IO thread only (and the HTTP transfer it starts).
  TRef<TRequest> request;
  int redirects = 0;
  std::mutex driver_lock;
  std::shared_ptr<TResourceDriver> driver;
};

using TNavigationRef = std::shared_ptr<TNavigation>;

struct TNavigationState {
  TNavigationRef current;  // the latest load asked for (finished or not)
  uint64_t next_serial = 1;
};

}  // namespace standin
