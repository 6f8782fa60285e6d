#pragma once
// What runtime shutdown does for browsers, transfers and the global cookie store: close
// every browser (without calling the program), stop every transfer, flush the cookies.

namespace standin {

// Registers the shutdown step once per process.
void EnsureWebShutdownStep();

}  // namespace standin
