#pragma once
// A person at the virtual display: moves the mouse, clicks and types through
// xdotool (a program of the host system, which Wine starts like any other), so
// the program under test gets real input, not messages posted to it.

#include <windows.h>

#include <string>

namespace kelpa::test {

// Runs a shell command of the host system (xdotool, ImageMagick) to its end.
void RunHostCommand(const std::string& command);
// Clicks the middle of a window.
void ClickOn(HWND window);
// Types text with the keyboard into whatever has the focus.
void Type(const std::string& text);
// Presses keys by their X names: "Tab", "Return", "Escape", "End", "BackSpace".
void PressKey(const std::string& keys);
// Replaces what an edit holds by typing, as a person does: click, clear, type.
void Retype(HWND edit, const std::string& text);

}  // namespace kelpa::test
