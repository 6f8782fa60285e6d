#pragma once
// Decides, for every message the saver's message loop retrieves, whether the
// user has come back. It knows no windows: the caller hands it the message,
// the time and what monitor 1 shows, and acts on the verdict.

#include <windows.h>

#include <string>

// Times are in days, on a clock that never goes back.
using TDateTime = double;

// What monitor 1's main frame shows.
enum class TLoginPage {
  NoFrame,  // no browser or no main frame yet: neither a login page nor a page left
  Login,    // its address contains "LOGIN" in any letter case
  Other,
};

TLoginPage LoginPageOf(const std::wstring& mainFrameUrl);

// A mouse message's point on the screen: its x and y are signed 16-bit
// values relative to the receiving window's client area, whose top-left
// corner is at clientOrigin on the screen.
POINT MouseScreenPoint(LPARAM lParam, POINT clientOrigin);

struct TWatchMessage {
  UINT Message = 0;
  WPARAM WParam = 0;
  POINT ScreenPoint{};  // for WM_MOUSEMOVE: see MouseScreenPoint
};

struct TWatchVerdict {
  bool ShortTimer = false;   // S: more than 1 s since the show
  bool LongTimer = false;    // L: more than 30 s
  bool Mouse = false;        // M
  bool Keyboard = false;     // K: a key press after S, or an activation change
  bool Preview = false;      // P
  bool Login = false;        // G
  bool Dismiss = false;      // Escape, or one of the two grace rules
  bool LoginBegins = false;  // the login state turned on with this message
  bool LoginReturn = false;  // monitor 1 has left the login page: reload every monitor
};

class TInputWatch {
 public:
  // At each show: the grace periods start now and the switches go off.
  void Start(TDateTime now, POINT cursor, bool preview);

  TWatchVerdict Check(const TWatchMessage& message, TDateTime now, TLoginPage monitor1);

  // The diagnostics switches, as the last message left them.
  bool MouseSwitch() const noexcept { return FMouse; }
  bool KeyboardSwitch() const noexcept { return FKeyboard; }
  bool LoginSwitch() const noexcept { return FLogin; }

 private:
  TDateTime FStartTime = 0;
  POINT FStart{};
  bool FPreview = false;
  bool FMouse = false;
  bool FKeyboard = false;
  bool FLogin = false;
};
