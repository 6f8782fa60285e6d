#include "screen/Rotation.h"

#include "base/SysUtils.h"
#include "screen/InputWatch.h"

#include <algorithm>

namespace {

constexpr int kOverlayMargin = 500;  // ms, one step of the dialog's arrows

}  // namespace

std::wstring LoadingCaption(int monitor, int position, const std::wstring& entry) {
  return L"Loading Screen " + IntToStr(monitor) + L"/" + IntToStr(position) + L"     " + Trim(entry);
}

std::size_t EntryIndex(int tag, std::size_t count) {
  return tag >= 0 && static_cast<std::size_t>(tag) < count ? static_cast<std::size_t>(tag) : 0;
}

std::optional<int> NextRotationTag(const TRotationInput& input) {
  if (!input.HasMainFrame || input.LoginHolds || input.Count == 0) return std::nullopt;
  if (input.Count > 1) return static_cast<int>((EntryIndex(input.Tag, input.Count) + 1) % input.Count);
  if (input.LastLoadFailed) return 0;
  return std::nullopt;
}

bool SignInHoldsRotation(bool signInShown, const std::wstring& entry) {
  return signInShown && LoginPageOf(entry) != TLoginPage::Login;
}

int EffectiveOverlayDelay(int displayDelay, int rotateDelay) {
  return std::max(1, std::min(displayDelay, rotateDelay - kOverlayMargin));
}
