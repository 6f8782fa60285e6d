#pragma once
// Watches, from a thread of its own, for a message box of one GUI thread;
// reads what it shows and presses its OK button, so a test on that thread can
// call code that shows a modal message box.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

struct TSeenMessageBox {
  bool Found = false;
  std::wstring Title;
  std::wstring Text;
  int Buttons = 0;
  std::wstring FirstButton;
  RECT Bounds{};
};

class TMessageBoxWatcher {
 public:
  explicit TMessageBoxWatcher(DWORD guiThreadId);
  ~TMessageBoxWatcher();
  // Waits for the watch to end (found and dismissed, or given up) and returns what was seen.
  TSeenMessageBox Seen();

 private:
  void Watch(DWORD guiThreadId);

  std::atomic<bool> FStop{false};
  TSeenMessageBox FSeen;
  std::thread FThread;
};
