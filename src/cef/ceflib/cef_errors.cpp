#include "ceflib/cef_errors.h"

#include <windows.h>

#include <string>

namespace ceflib {
namespace {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr, nullptr);
  return result;
}

// The system's text for code, without the trailing blanks, line breaks and full stop.
std::wstring SystemText(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", buffer ? n : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

std::string OSErrorMessage(unsigned long code, const std::string& suffix) {
  if (code == 0) return "A call to an OS function failed";
  return "System Error.  Code: " + std::to_string(code) + ".\r\n" + ToUtf8(SystemText(code)) + suffix;
}

}  // namespace

EOSError::EOSError(unsigned long errorCode, const std::string& suffix)
    : std::runtime_error(OSErrorMessage(errorCode, suffix)), FErrorCode(errorCode) {}

void RaiseLastOSError() { throw EOSError(GetLastError()); }

void RaiseLastOSError(const std::wstring& fileName) { throw EOSError(GetLastError(), ": " + ToUtf8(fileName)); }

void CefAssertionFailed(int line) {
  throw EAssertionFailed("Assertion failure (ceflib, line " + std::to_string(line) + ")");
}

}  // namespace ceflib
