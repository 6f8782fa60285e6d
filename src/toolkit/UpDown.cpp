#include "toolkit/UpDown.h"

#include <commctrl.h>

namespace {

TCreateParams UpDownParams() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
  TCreateParams params;
  params.ClassName = UPDOWN_CLASSW;
  params.Style = WS_VISIBLE;
  return params;
}

constexpr int kRestingPosition = 50;

}  // namespace

TUpDown::TUpDown(TWinControl& parent) : TWinControl(&parent, UpDownParams()) {
  // The control only reports clicks: it rests in the middle of a range it never leaves.
  Perform(UDM_SETRANGE32, 0, 2 * kRestingPosition);
  Perform(UDM_SETPOS32, 0, kRestingPosition);
}

bool TUpDown::NotifyReflected(NMHDR& header, LRESULT& result) {
  if (header.code != static_cast<UINT>(UDN_DELTAPOS)) return false;
  const auto& change = reinterpret_cast<NMUPDOWN&>(header);
  if (OnClick && change.iDelta != 0) OnClick(change.iDelta > 0 ? 1 : -1);
  result = TRUE;  // keep the resting position
  return true;
}
