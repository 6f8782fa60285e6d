#include "base64_text.h"

#include <cstdint>

namespace standin::engine {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Sextet(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

bool DecodeBase64(std::string_view text, std::string& bytes) {
  while (!text.empty() && text.back() == '=') text.remove_suffix(1);
  if (text.size() % 4 == 1) return false;
  bytes.clear();
  bytes.reserve(text.size() * 3 / 4);
  uint32_t bits = 0;
  int count = 0;
  for (char c : text) {
    int value = Sextet(c);
    if (value < 0) return false;
    bits = (bits << 6) | static_cast<uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes.push_back(static_cast<char>((bits >> count) & 0xFF));
    }
  }
  return true;
}

std::string EncodeBase64(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t at = 0; at < bytes.size(); at += 3) {
    uint32_t group = static_cast<uint8_t>(bytes[at]) << 16;
    size_t count = bytes.size() - at;
    if (count > 1) group |= static_cast<uint8_t>(bytes[at + 1]) << 8;
    if (count > 2) group |= static_cast<uint8_t>(bytes[at + 2]);
    text += kAlphabet[(group >> 18) & 63];
    text += kAlphabet[(group >> 12) & 63];
    text += count > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    text += count > 2 ? kAlphabet[group & 63] : '=';
  }
  return text;
}

}  // namespace standin::engine
