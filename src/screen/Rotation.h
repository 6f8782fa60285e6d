#pragma once
// Which address each monitor shows next, and what its overlay says meanwhile.

#include <cstddef>
#include <optional>
#include <string>

// "Loading Screen <monitor>/<position>     <entry>", the entry trimmed;
// monitor and position count from 1.
std::wstring LoadingCaption(int monitor, int position, const std::wstring& entry);

// The list position a browser's tag stands for. A browser kept from an earlier
// show may carry a tag past its refilled, shorter list: that means entry 0.
std::size_t EntryIndex(int tag, std::size_t count);

// What one monitor's browser looks like at a rotation tick.
struct TRotationInput {
  std::size_t Count = 0;        // entries in the monitor's list
  int Tag = 0;                  // the browser's current list position
  bool HasMainFrame = false;    // the browser exists and has a main frame
  bool LoginHolds = false;      // monitor 1 shows a sign-in page: leave the operator alone
  bool LastLoadFailed = false;  // its last main-frame load ended in an error
};

// The list position to load now, or nothing when the monitor keeps its page.
// A single-address monitor is reloaded only when its page failed to load.
std::optional<int> NextRotationTag(const TRotationInput& input);

// Whether monitor 1 waits for the operator at a rotation tick: while it shows a
// sign-in page (signInShown) that its list entry led to. An entry whose own
// address has "LOGIN" in it is no sign-in the saver was sent to: it rotates.
bool SignInHoldsRotation(bool signInShown, const std::wstring& entry);

// How long the overlays stay up. They must go before the next rotation shows
// them again, so a start delay that reaches the rotation delay is cut to the
// rotation delay less one half-second step.
int EffectiveOverlayDelay(int displayDelay, int rotateDelay);
