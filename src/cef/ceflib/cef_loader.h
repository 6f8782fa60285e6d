#pragma once
// Loading, initialising and unloading the runtime library.

#include <windows.h>

#include <cstdint>

namespace ceflib {

// Module handle of the runtime library; 0 while it is not loaded.
extern HMODULE LibraryHandle;
// Set once cef_initialize has been called; never reset.
extern bool RuntimeInitialized;

// Loads the runtime library, checks its version and initialises it for this browser process.
// True: loaded and initialised (or already loaded). False: the runtime ran this process as one
// of its sub-processes and is done; the caller must end the process without creating windows.
// Raises EOSError when the library cannot be loaded (a later call tries again) and
// ECefException "Invalid CEF Library version" when an entry point is missing.
bool LoadChromiumRuntime();

// Runs the runtime's pending work on the calling (GUI) thread; nothing while not loaded.
void DoMessageLoopWork();

// Lets go of every TGlobalRef, shuts the runtime down (if it was initialised) and frees the
// library; nothing while not loaded. Every browser and every other wrapper around a runtime
// object must be gone by then: one that is not never calls the runtime again (see
// LibraryUnloads). The binding calls it itself at process exit.
void UnloadChromiumRuntime();

// How many times the runtime library has been freed. A wrapper notes the count when it is made;
// once the count has moved on, the code behind its runtime object is gone and the wrapper must
// not call it, not even to release its reference.
uint32_t LibraryUnloads() noexcept;

}  // namespace ceflib
