#pragma once
// The keyboard handler (cef_keyboard_handler_t): ours, handed to the runtime by a client.

#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefKeyboardHandler : public virtual ICefBase {
 public:
  // isKeyboardShortcut comes in as the runtime's value and goes back as the handler leaves it.
  virtual bool OnPreKeyEvent(const RefPtr<ICefBrowser>& browser, const cef_key_event_t* event,
                             cef_event_handle_t osEvent, bool& isKeyboardShortcut) = 0;
  virtual bool OnKeyEvent(const RefPtr<ICefBrowser>& browser, const cef_key_event_t* event,
                          cef_event_handle_t osEvent) = 0;
};

// Handles no key: both operations return false.
class TCefKeyboardHandlerOwn : public TCefOwnOf<ICefKeyboardHandler, cef_keyboard_handler_t> {
 public:
  TCefKeyboardHandlerOwn();
  bool OnPreKeyEvent(const RefPtr<ICefBrowser>& browser, const cef_key_event_t* event, cef_event_handle_t osEvent,
                     bool& isKeyboardShortcut) override;
  bool OnKeyEvent(const RefPtr<ICefBrowser>& browser, const cef_key_event_t* event,
                  cef_event_handle_t osEvent) override;
};

}  // namespace ceflib
