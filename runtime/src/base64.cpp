// cef_base64encode and cef_base64decode: the standard alphabet with '=' padding. Decoding
// accepts input without padding but nothing outside the alphabet; bad input gives null.

#include "binary_value.h"
#include "string_record.h"

#include <string>
#include <vector>

using namespace standin;

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int DigitValue(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return c - L'A';
  if (c >= L'a' && c <= L'z') return c - L'a' + 26;
  if (c >= L'0' && c <= L'9') return c - L'0' + 52;
  if (c == L'+') return 62;
  if (c == L'/') return 63;
  return -1;
}

bool Decode(std::wstring_view text, std::vector<unsigned char>& out) {
  size_t padding = 0;
  while (!text.empty() && text.back() == L'=' && padding < 2) {
    text.remove_suffix(1);
    ++padding;
  }
  if (text.size() % 4 == 1) return false;
  if (padding && (text.size() + padding) % 4 != 0) return false;
  unsigned buffer = 0;
  int bits = 0;
  for (wchar_t c : text) {
    int value = DigitValue(c);
    if (value < 0) return false;
    buffer = (buffer << 6) | static_cast<unsigned>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<unsigned char>((buffer >> bits) & 0xFF));
    }
  }
  return true;
}

}  // namespace

cef_string_userfree_t cef_base64encode(const void* data, size_t data_size) {
  if (!data) data_size = 0;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::wstring out;
  out.reserve((data_size + 2) / 3 * 4);
  for (size_t i = 0; i < data_size; i += 3) {
    unsigned chunk = bytes[i] << 16;
    if (i + 1 < data_size) chunk |= bytes[i + 1] << 8;
    if (i + 2 < data_size) chunk |= bytes[i + 2];
    out += kAlphabet[(chunk >> 18) & 63];
    out += kAlphabet[(chunk >> 12) & 63];
    out += i + 1 < data_size ? kAlphabet[(chunk >> 6) & 63] : '=';
    out += i + 2 < data_size ? kAlphabet[chunk & 63] : '=';
  }
  return UserFreeResult(out);
}

cef_binary_value_t* cef_base64decode(const cef_string_t* data) {
  std::vector<unsigned char> bytes;
  if (!Decode(View(data), bytes) || bytes.empty()) return nullptr;
  return MakeRuntimeObject<TBinaryValue>(std::move(bytes))->PassOut();
}
