#pragma once
// Process-wide state of the runtime between cef_initialize and cef_shutdown: the settings
// copy, the application object the program handed over, and the steps later parts of the
// runtime (browsers, cookies) add to the shutdown.

#include "held_ref.h"
#include "runtime_settings.h"

#include <functional>

namespace standin {

class TRuntimeState {
 public:
  static TRuntimeState& Instance();

  bool Initialized() const;
  // Valid while initialized; unchanged until shutdown, so any thread may read it.
  const TRuntimeSettings& Settings() const;

  void Begin(TRuntimeSettings settings, THeld<cef_app_t> app);
  // Runs the shutdown steps (last added first), then releases the application object.
  void End();

  // A step run at every shutdown before the runtime's threads stop, e.g. closing browsers.
  void AddShutdownStep(std::function<void()> step);

 private:
  TRuntimeState() = default;
};

}  // namespace standin
