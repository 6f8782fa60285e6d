#pragma once
// Waiting for another process or thread to get somewhere, on a machine whose load nobody knows.

#include <windows.h>

#include <functional>

namespace kelpa::test {

// An upper bound for a busy machine, not a timing expectation: the page engine's first start is
// the slowest thing any test waits for.
constexpr DWORD kPatience = 40000;

// Polls a condition until it holds or the time is up; tells whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kPatience);

}  // namespace kelpa::test
