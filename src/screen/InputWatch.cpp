#include "screen/InputWatch.h"

#include "base/SysUtils.h"

#include <cstdlib>

namespace {

constexpr TDateTime kOneSecond = 1.0 / 86400;
constexpr TDateTime kThirtySeconds = 1.0 / 2880;
constexpr int kMouseSlack = 25;  // pixels a resting hand may drift

bool IsActivation(UINT message) {
  return message == WM_ACTIVATE || message == WM_ACTIVATEAPP || message == WM_NCACTIVATE;
}

}  // namespace

TLoginPage LoginPageOf(const std::wstring& mainFrameUrl) {
  return UpperCase(mainFrameUrl).find(L"LOGIN") != std::wstring::npos ? TLoginPage::Login : TLoginPage::Other;
}

POINT MouseScreenPoint(LPARAM lParam, POINT clientOrigin) {
  auto x = static_cast<short>(LOWORD(lParam));
  auto y = static_cast<short>(HIWORD(lParam));
  return {clientOrigin.x + x, clientOrigin.y + y};
}

void TInputWatch::Start(TDateTime now, POINT cursor, bool preview) {
  FStartTime = now;
  FStart = cursor;
  FPreview = preview;
  FMouse = FKeyboard = FLogin = false;
}

TWatchVerdict TInputWatch::Check(const TWatchMessage& message, TDateTime now, TLoginPage monitor1) {
  TWatchVerdict v;
  v.ShortTimer = now - FStartTime > kOneSecond;
  v.LongTimer = now - FStartTime > kThirtySeconds;
  v.Mouse = v.ShortTimer && message.Message == WM_MOUSEMOVE &&
            (std::abs(message.ScreenPoint.x - FStart.x) > kMouseSlack ||
             std::abs(message.ScreenPoint.y - FStart.y) > kMouseSlack);
  v.Keyboard = (v.ShortTimer && message.Message == WM_KEYDOWN) || IsActivation(message.Message);
  v.Preview = FPreview;
  v.Login = monitor1 == TLoginPage::Login;

  FMouse = FMouse || v.Mouse;
  FKeyboard = FKeyboard || v.Keyboard;
  v.LoginBegins = v.Login && !FLogin;
  FLogin = FLogin || v.Login;

  bool input = v.Mouse || v.Keyboard;
  bool escape = message.Message == WM_KEYDOWN && message.WParam == VK_ESCAPE;
  v.Dismiss = escape || (!v.Login && v.LongTimer && input) || (!v.Preview && !v.Login && v.ShortTimer && input);

  // Once the saver is on its way out there is nothing left to reload for.
  if (!v.Dismiss && monitor1 == TLoginPage::Other && FLogin) {
    FLogin = false;
    v.LoginReturn = true;
  }
  return v;
}
