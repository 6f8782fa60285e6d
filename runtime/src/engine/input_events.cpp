#include "input_events.h"

#include "engine_text.h"

#include <iterator>

namespace standin::engine {

namespace {

using json = nlohmann::json;

int ButtonsOf(WPARAM wparam) {
  return ((wparam & MK_LBUTTON) ? 1 : 0) | ((wparam & MK_RBUTTON) ? 2 : 0) | ((wparam & MK_MBUTTON) ? 4 : 0);
}

const char* ButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return "left";
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return "right";
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return "middle";
    default: return "none";
  }
}

// The DOM names of the keys that type no character.
const char* KeyName(WPARAM key) {
  switch (key) {
    case VK_RETURN: return "Enter";
    case VK_BACK: return "Backspace";
    case VK_TAB: return "Tab";
    case VK_ESCAPE: return "Escape";
    case VK_DELETE: return "Delete";
    case VK_INSERT: return "Insert";
    case VK_LEFT: return "ArrowLeft";
    case VK_RIGHT: return "ArrowRight";
    case VK_UP: return "ArrowUp";
    case VK_DOWN: return "ArrowDown";
    case VK_HOME: return "Home";
    case VK_END: return "End";
    case VK_PRIOR: return "PageUp";
    case VK_NEXT: return "PageDown";
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return "Shift";
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return "Control";
    case VK_MENU: case VK_LMENU: case VK_RMENU: return "Alt";
    case VK_LWIN: case VK_RWIN: return "Meta";
    case VK_CAPITAL: return "CapsLock";
    case VK_NUMLOCK: return "NumLock";
    case VK_SCROLL: return "ScrollLock";
    case VK_APPS: return "ContextMenu";
    case VK_PAUSE: return "Pause";
    case VK_SNAPSHOT: return "PrintScreen";
    default: return nullptr;
  }
}

// The physical keys by their scan codes (set 1, as Windows reports them); extended keys
// (the 0xE0 prefix) are 0x100 above their plain codes.
const char* CodeOfScanCode(unsigned scan) {
  static const char* const kPlain[0x59] = {
      nullptr, "Escape", "Digit1", "Digit2", "Digit3", "Digit4", "Digit5", "Digit6", "Digit7", "Digit8",
      "Digit9", "Digit0", "Minus", "Equal", "Backspace", "Tab", "KeyQ", "KeyW", "KeyE", "KeyR",
      "KeyT", "KeyY", "KeyU", "KeyI", "KeyO", "KeyP", "BracketLeft", "BracketRight", "Enter", "ControlLeft",
      "KeyA", "KeyS", "KeyD", "KeyF", "KeyG", "KeyH", "KeyJ", "KeyK", "KeyL", "Semicolon",
      "Quote", "Backquote", "ShiftLeft", "Backslash", "KeyZ", "KeyX", "KeyC", "KeyV", "KeyB", "KeyN",
      "KeyM", "Comma", "Period", "Slash", "ShiftRight", "NumpadMultiply", "AltLeft", "Space", "CapsLock", "F1",
      "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "NumLock",
      "ScrollLock", "Numpad7", "Numpad8", "Numpad9", "NumpadSubtract", "Numpad4", "Numpad5", "Numpad6", "NumpadAdd",
      "Numpad1", "Numpad2", "Numpad3", "Numpad0", "NumpadDecimal", nullptr, nullptr, "IntlBackslash", "F11", "F12"};
  struct TExtended {
    unsigned scan;
    const char* code;
  };
  static const TExtended kExtended[] = {
      {0x1C, "NumpadEnter"}, {0x1D, "ControlRight"}, {0x35, "NumpadDivide"}, {0x38, "AltRight"},
      {0x47, "Home"},        {0x48, "ArrowUp"},      {0x49, "PageUp"},       {0x4B, "ArrowLeft"},
      {0x4D, "ArrowRight"},  {0x4F, "End"},          {0x50, "ArrowDown"},    {0x51, "PageDown"},
      {0x52, "Insert"},      {0x53, "Delete"},       {0x5B, "MetaLeft"},     {0x5C, "MetaRight"},
      {0x5D, "ContextMenu"}};
  if (scan < 0x100) return scan < std::size(kPlain) ? kPlain[scan] : nullptr;
  for (const TExtended& key : kExtended)
    if (key.scan == (scan & 0xFF)) return key.code;
  return nullptr;
}

// Keys the window's message names only by their virtual key (a message posted to it) have
// the scan code of that key.
unsigned ScanCodeOf(WPARAM key, LPARAM lparam) {
  unsigned scan = (static_cast<unsigned>(lparam) >> 16) & 0xFF;
  if (scan == 0) return MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC_EX) & 0x1FF;
  return ((static_cast<unsigned>(lparam) >> 24) & 1 ? 0x100 : 0) | scan;
}

bool Printable(const std::wstring& text) { return !text.empty() && text[0] >= 0x20 && text[0] != 0x7F; }

// AltGr (Ctrl and Alt together) chooses a character on European layouts ("@", "€"): the
// character is what was typed, not a shortcut.
int TypingModifiers(int modifiers, bool printable) {
  constexpr int kAltGr = 1 | 2;
  return printable && (modifiers & kAltGr) == kAltGr ? modifiers & ~kAltGr : modifiers;
}

json Mouse(const char* type, POINT point, int modifiers) {
  return {{"type", type}, {"x", point.x}, {"y", point.y}, {"modifiers", modifiers}};
}

}  // namespace

TInputCommand InputCommandOf(UINT message, WPARAM wparam, LPARAM lparam, POINT point, int modifiers,
                             const std::wstring& typed) {
  switch (message) {
    case WM_MOUSEMOVE: {
      json params = Mouse("mouseMoved", point, modifiers);
      params["buttons"] = ButtonsOf(wparam);
      params["button"] = (wparam & MK_LBUTTON) ? "left" : (wparam & MK_RBUTTON) ? "right" : "none";
      return {"Input.dispatchMouseEvent", params};
    }
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                  message == WM_LBUTTONDBLCLK;
      json params = Mouse(down ? "mousePressed" : "mouseReleased", point, modifiers);
      params["button"] = ButtonOf(message);
      params["buttons"] = ButtonsOf(wparam);
      params["clickCount"] = message == WM_LBUTTONDBLCLK ? 2 : 1;
      return {"Input.dispatchMouseEvent", params};
    }
    case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL: {
      json params = Mouse("mouseWheel", point, modifiers);
      int delta = GET_WHEEL_DELTA_WPARAM(wparam);
      // A wheel turned away from the user scrolls up: negative in the engine's terms.
      params["deltaX"] = message == WM_MOUSEHWHEEL ? delta : 0;
      params["deltaY"] = message == WM_MOUSEWHEEL ? -delta : 0;
      return {"Input.dispatchMouseEvent", params};
    }
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: {
      bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
      bool printable = Printable(typed);
      json params = {{"type", down ? "rawKeyDown" : "keyUp"},
                     {"windowsVirtualKeyCode", static_cast<int>(wparam)},
                     {"nativeVirtualKeyCode", static_cast<int>(wparam)},
                     {"modifiers", TypingModifiers(modifiers, printable)}};
      if (const char* key = KeyName(wparam)) {
        params["key"] = key;
      } else if (printable) {
        params["key"] = Utf8Of(typed);
      } else if (wparam >= VK_F1 && wparam <= VK_F24) {
        params["key"] = "F" + std::to_string(wparam - VK_F1 + 1);
      }
      if (const char* code = CodeOfScanCode(ScanCodeOf(wparam, lparam))) params["code"] = code;
      return {"Input.dispatchKeyEvent", params};
    }
    case WM_CHAR: case WM_SYSCHAR: {
      auto c = static_cast<wchar_t>(wparam);
      // Control characters other than Enter are the key-down's business (Backspace, Tab ...).
      if (c < 0x20 && c != L'\r') return {};
      std::string text = Utf8Of(std::wstring(1, c));
      return {"Input.dispatchKeyEvent",
              {{"type", "char"}, {"text", text}, {"unmodifiedText", text},
               {"modifiers", TypingModifiers(modifiers, c >= 0x20)}}};
    }
    default:
      return {};
  }
}

int CurrentModifiers() {
  auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  return (held(VK_MENU) ? 1 : 0) | (held(VK_CONTROL) ? 2 : 0) | (held(VK_LWIN) || held(VK_RWIN) ? 4 : 0) |
         (held(VK_SHIFT) ? 8 : 0);
}

}  // namespace standin::engine
