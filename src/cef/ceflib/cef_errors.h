#pragma once
// The exceptions the binding raises. The binding knows nothing of windows or of the GUI
// toolkit, so it carries its own small exception classes.

#include <stdexcept>
#include <string>

namespace ceflib {

// The runtime library is not the expected version.
class ECefException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failing operating-system call. Message: "System Error.  Code: %d.\r\n%s%s" (code, the
// system's text for it, a suffix naming what the call was about, usually empty), or "A call
// to an OS function failed" when there is no code.
class EOSError : public std::runtime_error {
 public:
  explicit EOSError(unsigned long errorCode, const std::string& suffix = {});
  unsigned long ErrorCode() const noexcept { return FErrorCode; }

 private:
  unsigned long FErrorCode;
};

// Raises EOSError for the calling thread's last error code.
[[noreturn]] void RaiseLastOSError();
// The same, naming the file the failed call was about, since some system texts do not
// ("The specified module could not be found").
[[noreturn]] void RaiseLastOSError(const std::wstring& fileName);

// A value that cannot be converted, such as an invalid calendar date.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A broken internal rule of the binding ("Assertion failure (ceflib, line N)").
class EAssertionFailed : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Raises EAssertionFailed naming the binding's unit and the line of the broken rule.
[[noreturn]] void CefAssertionFailed(int line);

}  // namespace ceflib
