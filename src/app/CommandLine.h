#pragma once
// What the command line asks for. The system's screen-saver machinery passes
// "/S" to run the saver, "/P <window>" for the small preview pane and
// "/C:<window>" (or nothing) for the settings.

#include <string>
#include <string_view>

enum TRunMode {
  rmScreenSaver,  // show the screen window
  rmPreviewPane,  // end at once: the small preview pane stays empty
  rmSettings,     // show the settings dialog
};

// Only the whole first argument counts, in any letter case.
TRunMode RunModeOf(std::wstring_view firstArgument);

// The first argument of this process's command line; empty when there is none.
std::wstring FirstArgument();
