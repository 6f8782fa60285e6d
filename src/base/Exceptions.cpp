#include "base/Exceptions.h"

#include "base/SysUtils.h"

#include <cstdio>

Exception::Exception(std::wstring message) : FMessage(std::move(message)), FNarrow(WideToUtf8(FMessage)) {}

std::wstring SysErrorMessage(DWORD errorCode) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (buffer) {
    text.assign(buffer, length);
    LocalFree(buffer);
  }
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

std::wstring OSErrorMessage(DWORD errorCode) {
  if (errorCode == 0) return L"A call to an OS function failed";
  wchar_t head[64];
  // The code is shown as a signed number, as the system's own tools do for HRESULT-like codes.
  swprintf(head, std::size(head), L"System Error.  Code: %d.\r\n", static_cast<int>(errorCode));
  return head + SysErrorMessage(errorCode);
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD errorCode) { throw EOSError(errorCode, OSErrorMessage(errorCode)); }

std::wstring CurrentExceptionMessage() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return Utf8ToWide(e.what());
  } catch (...) {
    return L"Unknown exception";
  }
}
