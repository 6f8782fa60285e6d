#pragma once
// Pieces of HTTP/1.1 messages: the response head and the chunked transfer coding.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin::net {

struct THttpHeader {
  std::string name;
  std::string value;
};

struct THttpResponseHead {
  int status = 0;
  std::string status_text;
  std::vector<THttpHeader> headers;

  // The first header of that name (names compare without case).
  std::optional<std::string> Find(std::string_view name) const;
  std::vector<std::string> FindAll(std::string_view name) const;
};

// Parses a status line and its header lines, without the blank line that ends the head.
// Folded continuation lines are joined to the header before them. False when malformed.
bool ParseResponseHead(std::string_view head, THttpResponseHead& out);

// Decodes a chunked body fed in pieces of any size.
class TChunkedDecoder {
 public:
  // Appends the decoded bytes of input to body. False once the coding is malformed.
  bool Feed(std::string_view input, std::string& body);
  // The last chunk and the trailer have been read; later input is not part of the body.
  bool Done() const { return FState == TState::Done; }

 private:
  enum class TState { Size, Extension, SizeLf, Data, DataCr, DataLf, TrailerLineStart, TrailerLine, TrailerLf, Done, Error };
  TState FState = TState::Size;
  uint64_t FSize = 0;
  int FDigits = 0;
};

bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace standin::net
