#pragma once
// The browser runtime's lifetime as an object. The windows' browser controls and any wrapper
// they hold call into the runtime as they go, so the runtime's end destroys the application's
// windows first: nothing the program made can outlive the library, whatever path leaves the
// scope that holds the session.

#include <memory>

class TRuntimeSession {
 public:
  // Prepares the runtime's settings, loads and starts it and registers the `local` scheme.
  // Null when this process was one of the runtime's own helper processes and has done its work.
  static std::unique_ptr<TRuntimeSession> Start();

  // Destroys every form of the application, then shuts the runtime down and unloads it.
  ~TRuntimeSession();

  TRuntimeSession(const TRuntimeSession&) = delete;
  TRuntimeSession& operator=(const TRuntimeSession&) = delete;

 private:
  // Only Start makes sessions.
  struct TStartKey {};

 public:
  explicit TRuntimeSession(TStartKey) {}
};
