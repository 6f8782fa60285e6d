#include "input_events.h"

#include "engine_text.h"

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

// Keys whose DOM name the engine needs to act on them (editing, moving, submitting).
const char* KeyName(WPARAM key) {
  switch (key) {
    case VK_RETURN: return "Enter";
    case VK_BACK: return "Backspace";
    case VK_TAB: return "Tab";
    case VK_ESCAPE: return "Escape";
    case VK_DELETE: return "Delete";
    case VK_LEFT: return "ArrowLeft";
    case VK_RIGHT: return "ArrowRight";
    case VK_UP: return "ArrowUp";
    case VK_DOWN: return "ArrowDown";
    case VK_HOME: return "Home";
    case VK_END: return "End";
    case VK_PRIOR: return "PageUp";
    case VK_NEXT: return "PageDown";
    default: return nullptr;
  }
}

json Mouse(const char* type, POINT point, int modifiers) {
  return {{"type", type}, {"x", point.x}, {"y", point.y}, {"modifiers", modifiers}};
}

}  // namespace

TInputCommand InputCommandOf(UINT message, WPARAM wparam, POINT point, int modifiers) {
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
      json params = {{"type", down ? "rawKeyDown" : "keyUp"},
                     {"windowsVirtualKeyCode", static_cast<int>(wparam)},
                     {"nativeVirtualKeyCode", static_cast<int>(wparam)},
                     {"modifiers", modifiers}};
      if (const char* key = KeyName(wparam)) params["key"] = key;
      return {"Input.dispatchKeyEvent", params};
    }
    case WM_CHAR: case WM_SYSCHAR: {
      auto c = static_cast<wchar_t>(wparam);
      // Control characters other than Enter are the key-down's business (Backspace, Tab ...).
      if (c < 0x20 && c != L'\r') return {};
      std::string text = Utf8Of(std::wstring(1, c));
      return {"Input.dispatchKeyEvent",
              {{"type", "char"}, {"text", text}, {"unmodifiedText", text}, {"modifiers", modifiers}}};
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
