#pragma once
// Another process's windows, found through the window tree as the system keeps it: by process,
// class, caption and order, never by pixel position.

#include <windows.h>

#include <string>
#include <vector>

namespace kelpa::test {

std::wstring ClassOf(HWND window);
std::wstring CaptionOf(HWND window);
// The text a control of another process holds (asked with WM_GETTEXT).
std::wstring ControlText(HWND control);

// The top-level windows of a process (only the visible ones, when asked).
std::vector<HWND> TopLevelWindowsOf(DWORD processId, bool visibleOnly);
// A window's direct children of a class, in the window tree's order (a dialog's tab order).
std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className);
// A direct child whose text is this one; nullptr when there is none.
HWND ChildWithText(HWND parent, const std::wstring& text);
// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
// The window with the keyboard focus in the thread that owns window.
HWND FocusOf(HWND window);
// Waits until the thread that owns window answers messages: the first start in a new prefix
// can keep a program busy for a while after its window appears.
bool WaitUntilAnswering(HWND window);

// The settings dialog of the program and its edits, in their tab order.
inline const std::wstring kDialogCaption = L"Tavrix Screen Saver v3.2 Configuration";
enum class TSettingsEdit { StartDelay, RotateDelay, Screen1, Screen2, Screen3, Screen4, Screen5 };
HWND SettingsEdit(HWND dialog, TSettingsEdit which);
// The edit of monitor n (1 to 5).
HWND ScreenEdit(HWND dialog, int monitor);

}  // namespace kelpa::test
