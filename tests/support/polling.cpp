#include "polling.h"

namespace kelpa::test {

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

}  // namespace kelpa::test
