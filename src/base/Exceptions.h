#pragma once
// The program's exception classes: every failure is an Exception with a
// human-readable message, shown by the application's default handling.

#include <windows.h>

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FNarrow.c_str(); }

 private:
  std::wstring FMessage;
  std::string FNarrow;  // UTF-8 copy for std::exception users
};

// A failed operating-system call.
class EOSError : public Exception {
 public:
  EOSError(DWORD errorCode, std::wstring message) : Exception(std::move(message)), FErrorCode(errorCode) {}
  DWORD ErrorCode() const noexcept { return FErrorCode; }

 private:
  DWORD FErrorCode;
};

// The system's text for an error code, without trailing line breaks, blanks
// or full stops; empty when the system has no text for it.
std::wstring SysErrorMessage(DWORD errorCode);

// The message of an EOSError: "System Error.  Code: <code>.\r\n<text>", or
// "A call to an OS function failed" for code 0.
std::wstring OSErrorMessage(DWORD errorCode);

[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD errorCode);

// Raises the last OS error when a call reported failure.
inline void Win32Check(BOOL result) {
  if (!result) RaiseLastOSError();
}

// The message of whatever exception is being handled; call inside a catch block.
std::wstring CurrentExceptionMessage();
