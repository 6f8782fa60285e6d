#pragma once
// The seven settings as one value: what the dialog's controls hold at one moment.
// The dialog hands it to whoever shows the screen; nobody keeps a second copy.

#include <array>
#include <cstddef>
#include <string>

// Monitors that have an address list of their own.
constexpr std::size_t SettingsScreenCount = 5;

struct TSettings {
  int DisplayDelay = 2000;  // ms the "Loading Screen" overlays stay up
  int RotateDelay = 5000;   // ms between two addresses of a monitor
  std::array<std::wstring, SettingsScreenCount> ScreenURL;  // the URL list settings of monitors 1..5
};
