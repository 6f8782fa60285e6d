#pragma once
// Why a transfer failed. The values are the runtime's network error codes, so a loader can
// hand them on to the program unchanged.

#include <string_view>

namespace standin::net {

enum class TNetError : int {
  None = 0,
  Failed = -2,
  Aborted = -3,
  TimedOut = -7,
  FileTooBig = -8,
  NotImplemented = -11,
  ConnectionClosed = -100,
  ConnectionReset = -101,
  ConnectionRefused = -102,
  ConnectionFailed = -104,
  NameNotResolved = -105,
  InvalidUrl = -300,
  UnknownUrlScheme = -302,
  TooManyRedirects = -310,
  InvalidResponse = -320,
  InvalidChunkedEncoding = -321,
  EmptyResponse = -324,
  ResponseHeadersTooBig = -325,
};

// The runtime's name for the error ("ERR_CONNECTION_REFUSED" ...).
std::string_view NetErrorName(TNetError error);

}  // namespace standin::net
