#include "http_message.h"

#include <algorithm>
#include <cctype>

namespace standin::net {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::string> THttpResponseHead::Find(std::string_view name) const {
  for (const THttpHeader& header : headers)
    if (EqualsNoCase(header.name, name)) return header.value;
  return std::nullopt;
}

std::vector<std::string> THttpResponseHead::FindAll(std::string_view name) const {
  std::vector<std::string> values;
  for (const THttpHeader& header : headers)
    if (EqualsNoCase(header.name, name)) values.push_back(header.value);
  return values;
}

bool ParseResponseHead(std::string_view head, THttpResponseHead& out) {
  out = THttpResponseHead();
  size_t line_end = head.find('\n');
  std::string_view status_line = Trim(head.substr(0, line_end));
  // "HTTP/1.1 200 OK": the version, a three-digit code, an optional reason.
  if (status_line.substr(0, 5) != "HTTP/") return false;
  size_t space = status_line.find(' ');
  if (space == std::string_view::npos) return false;
  std::string_view rest = Trim(status_line.substr(space + 1));
  if (rest.size() < 3 || !std::all_of(rest.begin(), rest.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  if (rest.size() > 3 && rest[3] != ' ') return false;
  out.status = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
  out.status_text = std::string(Trim(rest.substr(3)));

  while (line_end != std::string_view::npos) {
    size_t start = line_end + 1;
    line_end = head.find('\n', start);
    std::string_view line = head.substr(start, line_end == std::string_view::npos ? std::string_view::npos : line_end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line.front() == ' ' || line.front() == '\t') {
      if (out.headers.empty()) return false;
      out.headers.back().value += ' ';
      out.headers.back().value += Trim(line);
      continue;
    }
    size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    out.headers.push_back({std::string(Trim(line.substr(0, colon))), std::string(Trim(line.substr(colon + 1)))});
  }
  return true;
}

bool TChunkedDecoder::Feed(std::string_view input, std::string& body) {
  size_t i = 0;
  while (i < input.size() && FState != TState::Done && FState != TState::Error) {
    char c = input[i];
    switch (FState) {
      case TState::Size:
        if (int digit = HexValue(c); digit >= 0) {
          if (++FDigits > 15) {
            FState = TState::Error;
            break;
          }
          FSize = FSize * 16 + static_cast<uint64_t>(digit);
        } else if (c == ';' && FDigits > 0) {
          FState = TState::Extension;
        } else if ((c == ' ' || c == '\t') && FDigits > 0) {
          FState = TState::Extension;
        } else if (c == '\r' && FDigits > 0) {
          FState = TState::SizeLf;
        } else if (c == '\n' && FDigits > 0) {
          FState = FSize == 0 ? TState::TrailerLineStart : TState::Data;
        } else {
          FState = TState::Error;
        }
        ++i;
        break;
      case TState::Extension:
        if (c == '\r') FState = TState::SizeLf;
        if (c == '\n') FState = FSize == 0 ? TState::TrailerLineStart : TState::Data;
        ++i;
        break;
      case TState::SizeLf:
        FState = c != '\n' ? TState::Error : FSize == 0 ? TState::TrailerLineStart : TState::Data;
        ++i;
        break;
      case TState::Data: {
        size_t take = static_cast<size_t>(std::min<uint64_t>(FSize, input.size() - i));
        body.append(input.substr(i, take));
        FSize -= take;
        i += take;
        if (FSize == 0) FState = TState::DataCr;
        break;
      }
      case TState::DataCr:
        if (c == '\r') {
          FState = TState::DataLf;
        } else if (c == '\n') {
          FState = TState::Size;
          FDigits = 0;
        } else {
          FState = TState::Error;
        }
        ++i;
        break;
      case TState::DataLf:
        FState = c == '\n' ? TState::Size : TState::Error;
        FDigits = 0;
        ++i;
        break;
      case TState::TrailerLineStart:
        if (c == '\r') {
          FState = TState::TrailerLf;
        } else if (c == '\n') {
          FState = TState::Done;
        } else {
          FState = TState::TrailerLine;
        }
        ++i;
        break;
      case TState::TrailerLine:
        if (c == '\n') FState = TState::TrailerLineStart;
        ++i;
        break;
      case TState::TrailerLf:
        FState = c == '\n' ? TState::Done : TState::Error;
        ++i;
        break;
      case TState::Done:
      case TState::Error:
        break;
    }
  }
  return FState != TState::Error;
}

}  // namespace standin::net
