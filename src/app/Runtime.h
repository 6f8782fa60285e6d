#pragma once
// Starting and stopping the browser runtime around the program's windows.

// Prepares the runtime's settings, loads and starts it and registers the
// `local` scheme. False when this process was one of the runtime's own
// helper processes and has done its work.
bool StartRuntime();

// Shuts the runtime down and unloads it. Every window holding a browser must
// be gone by then.
void StopRuntime() noexcept;
