#pragma once
// A window's mouse and key messages as the engine's Input commands, so that a person at the
// wall can click, scroll and type into a page (a sign-in form).

#include <nlohmann/json.hpp>

#include <windows.h>

#include <string>

namespace standin::engine {

struct TInputCommand {
  std::string method;     // empty: nothing to send
  nlohmann::json params;
};

// point: the message's position in client coordinates (the wheel's screen position already
// converted); modifiers: the engine's bits (Alt 1, Ctrl 2, Meta 4, Shift 8); typed: for a
// key-down, the character the keyboard layout makes of it (the WM_CHAR it is translated to),
// which becomes the event's DOM key.
TInputCommand InputCommandOf(UINT message, WPARAM wparam, LPARAM lparam, POINT point, int modifiers,
                             const std::wstring& typed = {});

// The modifier keys held now, in the engine's bits.
int CurrentModifiers();

}  // namespace standin::engine
